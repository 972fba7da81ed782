# Thin wrapper over CMake and Ninja. `make demo` and `make test` install what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
ifeq ($(CI),true)
  CMAKE_FLAGS += -DTARNWICK_WERROR=ON
endif

RELEASE ?= $(BUILD)-release

.PHONY: all deps configure configure-release build demo install test test-sanitize fuzz bench package clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS) >/dev/null

build: configure
	@ninja -C $(BUILD) -j $(JOBS)

# What users run is optimised (RelWithDebInfo); the test build stays a debug build.
configure-release: deps
	@cmake -S . -B $(RELEASE) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNWICK_TESTS=OFF $(CMAKE_FLAGS) >/dev/null

# Documents the demo, then shows it in the desktop program when there is a display to show it on.
demo: configure-release
	@ninja -C $(RELEASE) -j $(JOBS) tarnwick-doc tarnwick-gui
	$(RELEASE)/tarnwick-doc --yes examples/Demo/Demo.dpr
	@if [ "$(CI)" != "true" ] && { [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; }; then \
	  echo "Starting tarnwick on examples/Demo/Demo.dpr"; $(RELEASE)/tarnwick examples/Demo/Demo.dpr; fi

install: configure-release
	@ninja -C $(RELEASE) -j $(JOBS)
	cmake --install $(RELEASE) $(if $(PREFIX),--prefix $(PREFIX))

# Tests that drive real windows can miss a deadline on a loaded machine: a failure is run once more,
# and only a second failure counts.
test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) --repeat until-pass:2

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer. The X11 tests run in `make
# test` only: under the sanitizers the programs they start and wait for are too slow to be judged.
test-sanitize: deps
	@cmake -S . -B $(BUILD)-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARNWICK_SANITIZE=ON $(CMAKE_FLAGS) >/dev/null
	@ninja -C $(BUILD)-sanitize -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  ctest --test-dir $(BUILD)-sanitize --output-on-failure -j $(JOBS) -E gui_tests_on_x11

# Each libFuzzer target runs FUZZ_SECONDS on top of its committed seed corpus.
FUZZ_SECONDS ?= 20
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(BUILD)-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTARNWICK_FUZZ=ON -DTARNWICK_TESTS=OFF -DTARNWICK_GUI=OFF >/dev/null
	@ninja -C $(BUILD)-fuzz -j $(JOBS)
	@scripts/run-fuzzers $(BUILD)-fuzz $(FUZZ_SECONDS)

bench: 
	@scripts/install-deps --bench
	@cmake -S . -B $(BUILD)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARNWICK_BENCH=ON -DTARNWICK_TESTS=OFF >/dev/null
	@ninja -C $(BUILD)-bench -j $(JOBS)
	@scripts/run-benchmarks $(BUILD)-bench

# A Debian package of both programs, installable with `apt install ./build-package/tarnwick_*.deb`.
package: deps
	@cmake -S . -B $(BUILD)-package -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNWICK_TESTS=OFF >/dev/null
	@ninja -C $(BUILD)-package -j $(JOBS)
	@cd $(BUILD)-package && cpack -G DEB | tail -1

clean:
	rm -rf $(BUILD) $(RELEASE) $(BUILD)-sanitize $(BUILD)-fuzz $(BUILD)-bench $(BUILD)-package
