# The same job done the way an R user would: read.csv, then a paired t.test.
# Prints the pairs and t for checking.
#
#   Rscript ttest_r.R DATA_FILE
data <- read.csv(commandArgs(trailingOnly = TRUE)[1])
result <- t.test(data[[1]], data[[2]], paired = TRUE)
cat(sprintf("Pairs: %d\nt: %.17g\n", nrow(data), result$statistic))
