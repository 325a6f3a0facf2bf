# The same job done the way an R user would: read.csv, then a paired t.test.
# Prints the pairs and t for checking, and the process's peak memory.
#
#   Rscript ttest_r.R DATA_FILE
data <- read.csv(commandArgs(trailingOnly = TRUE)[1])
result <- t.test(data[[1]], data[[2]], paired = TRUE)
cat(sprintf("Pairs: %d\nt: %.17g\np: %.17g\n", nrow(data), result$statistic, result$p.value))

# The kernel's count for this process image (Linux); see duvora_ttest.cpp.
status <- readLines("/proc/self/status")
cat("Peak:", sub("^VmHWM:", "", grep("^VmHWM:", status, value = TRUE)), "\n", sep = "")
