# The two commands a user needs: `make run` and `make test`. Each installs what
# is missing, configures and builds first.
PRESET ?= dev
BUILD_DIR := build/$(PRESET)

.PHONY: run test build deps-build deps-test deps-fuzz configure clean \
	sanitizer-test fuzz-build fuzz-smoke fuzz \
	install package package-build test-windows package-windows deps-package deps-windows

# `make fuzz` runs every fuzz target this long, in seconds; `make -j2 fuzz`
# runs them side by side. New inputs collect in build/fuzz/work-NAME.
FUZZ_SECONDS ?= 600
FUZZ_TARGETS := input_data number_field

# The build configures the tests too, so it needs their packages.
run: deps-build deps-test build
	@if [ -x $(BUILD_DIR)/main_window/duvora ]; then \
		exec $(BUILD_DIR)/main_window/duvora; \
	else \
		echo "No window was built in $(BUILD_DIR)."; exit 1; \
	fi

test: deps-build deps-test deps-fuzz build
	scripts/run-tests.sh $(BUILD_DIR)
	$(MAKE) --no-print-directory sanitizer-test fuzz-smoke

# The suite again with AddressSanitizer and UBSan (tests/lsan.supp).
sanitizer-test: deps-build deps-test build/asan/CMakeCache.txt
	cmake --build --preset asan -j 2
	scripts/run-tests.sh build/asan

# The libFuzzer targets (fuzz/); their tests replay the corpus and fuzz briefly.
fuzz-build: deps-fuzz build/fuzz/CMakeCache.txt
	cmake --build --preset fuzz -j 2

fuzz-smoke: fuzz-build
	scripts/run-tests.sh build/fuzz

fuzz: $(FUZZ_TARGETS:%=fuzz-run-%)

fuzz-run-%: fuzz-build
	FUZZ_WORK_DIR=build/fuzz/work-$* fuzz/run-fuzzer.sh build/fuzz/fuzz/$*_fuzzer $* $(FUZZ_SECONDS)

# `make bench`: every benchmark in the release build, the window's under a
# virtual X server, Python and R on the same files; prints one table. Where
# Wine and mingw-w64 are installed (make deps-windows), the window's bench
# built for Windows runs under Wine too.
# BENCH_ARGS=--quick takes fewer samples; --markdown FILE writes it as well.
.PHONY: bench deps-bench
bench: deps-build deps-test deps-bench build/release/CMakeCache.txt
	cmake --build --preset release -j 2
	scripts/run-bench.sh build/release $$(scripts/windows-bench.sh) $(BENCH_ARGS)

deps-bench:
	scripts/install-deps.sh bench

# `make soak`: a thousand rounds of Input Data, Results and Clear on the real
# window (under Xvfb when no display is set); fails if the program grows.
.PHONY: soak
soak: deps-build deps-test build/release/CMakeCache.txt
	cmake --build --preset release -j 2 --target window_bench
	scripts/run-bench.sh build/release --soak

# `make install` (PREFIX=/usr/local unless given) and `make package` (a .deb
# in build/package) build the release configuration of their own.
PREFIX ?= /usr/local

install: deps-build package-build
	cmake --install build/package --prefix $(PREFIX)

package: deps-build deps-package package-build
	cd build/package && cpack -G DEB
	@ls build/package/*.deb

package-build: build/package/CMakeCache.txt
	cmake --build --preset package -j 2

# The program and its tests cross-compiled for Windows with mingw-w64 against
# a static wxMSW (built once into ~/.cache/duvora), run under Wine on a
# virtual display; the Windows zip and installer are packed and tried too.
test-windows: deps-windows package-windows
	scripts/test-windows.sh build/mingw mingw

# build/mingw-package/duvora-VERSION-windows-x64.zip and .msi: the portable
# duvora.exe and its installer, packed by CPack (cmake/package.cmake).
package-windows: deps-windows
	wx_prefix=$$(scripts/build-wxmsw.sh) && \
		cmake --preset mingw-package -DDUVORA_WX_PREFIX="$$wx_prefix"
	cmake --build --preset mingw-package -j 2 --target duvora
	cd build/mingw-package && cpack

build: configure
	cmake --build --preset $(PRESET) -j 2

configure: $(BUILD_DIR)/CMakeCache.txt

# Any build directory: once from its preset, after the packages it looks for.
build/%/CMakeCache.txt:
	cmake --preset $*
build/asan/CMakeCache.txt build/release/CMakeCache.txt: | deps-build deps-test
build/fuzz/CMakeCache.txt: | deps-fuzz

deps-build:
	scripts/install-deps.sh build

deps-test:
	scripts/install-deps.sh test package

deps-package:
	scripts/install-deps.sh package

deps-windows:
	scripts/install-deps.sh windows

deps-fuzz:
	scripts/install-deps.sh fuzz

clean:
	rm -rf build
