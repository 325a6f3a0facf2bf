# The two commands a user needs: `make run` and `make test`. Each installs what
# is missing, configures and builds first.
PRESET ?= dev
BUILD_DIR := build/$(PRESET)

.PHONY: run test build deps-build deps-test configure clean

run: deps-build build
	@if [ -x $(BUILD_DIR)/main_window/duvora ]; then \
		exec $(BUILD_DIR)/main_window/duvora; \
	else \
		echo "Built the analysis library; the window is not there yet."; \
	fi

test: deps-build deps-test build
	scripts/run-tests.sh $(BUILD_DIR)

build: configure
	cmake --build --preset $(PRESET) -j 2

configure:
	@[ -f $(BUILD_DIR)/CMakeCache.txt ] || cmake --preset $(PRESET)

deps-build:
	scripts/install-deps.sh build

deps-test:
	scripts/install-deps.sh test

clean:
	rm -rf build
