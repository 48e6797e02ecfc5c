# Orvanta: `make run` and `make test` set up everything on a fresh Debian 12.
BUILD ?= build
MAKEFLAGS += --no-print-directory
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=
# Warnings as errors: on in CI and for developers (WERROR=ON), off by default
# so that a newer compiler's new warning never stops someone building a release.
WERROR ?= OFF
EXAMPLE = --name "ARJUN MEHTA" --date 1980-06-15 --time 10:30 --lat 28N36 --lon 77E12 --zone IST \
          --city "New Delhi" --state Delhi --country India

.PHONY: all deps check-deps configure build test test-sanitize test-release test-threads run bench stations clean format fuzz package

all: build

deps:
	@sh tools/install-deps.sh

# Every outside program the build, the tests and the tools run comes from a
# package tools/install-deps.sh installs (declared in tools/outside-programs).
check-deps: deps
	@/usr/bin/python3 tools/check-outside-programs.py

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANTA_WERROR=$(WERROR) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	@cmake -S . -B $(BUILD)-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANTA_WERROR=$(WERROR) \
	  -DORVANTA_SANITIZE=address,undefined >/dev/null
	@cmake --build $(BUILD)-asan -j$(JOBS)
	@cd $(BUILD)-asan && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j$(JOBS)

# The optimised configuration a release is built with, the benchmarks
# included; then the core's tests in a configuration without the desktop
# program, as on a machine without Qt.
test-release: deps
	@cmake -S . -B $(BUILD)-release -DCMAKE_BUILD_TYPE=Release -DORVANTA_WERROR=$(WERROR) \
	  -DORVANTA_BENCH=ON >/dev/null
	@cmake --build $(BUILD)-release -j$(JOBS)
	@cmake -S . -B $(BUILD)-core -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANTA_WERROR=$(WERROR) \
	  -DORVANTA_GUI=OFF >/dev/null
	@cmake --build $(BUILD)-core -j$(JOBS)
	@cd $(BUILD)-core && ctest --output-on-failure -j$(JOBS)

# Charts computed in two threads, each its own sequence of births, and the batch
# mode on several threads, under ThreadSanitizer.
test-threads: deps
	@cmake -S . -B $(BUILD)-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANTA_WERROR=$(WERROR) \
	  -DORVANTA_GUI=OFF -DORVANTA_SANITIZE=thread >/dev/null
	@cmake --build $(BUILD)-tsan -j$(JOBS) --target test_chart test_cli_lib
	@TSAN_OPTIONS=halt_on_error=1 $(BUILD)-tsan/tests/core/chart/test_chart \
	  --gtest_filter='*Thread*'
	@TSAN_OPTIONS=halt_on_error=1 $(BUILD)-tsan/tests/cli/test_cli_lib \
	  --gtest_filter='RunBatch.OutputIsTheSameForEveryNumberOfJobs'

run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ] && [ -x $(BUILD)/src/gui/orvanta ]; then \
	  exec $(BUILD)/src/gui/orvanta; \
	else \
	  echo "No display found: the desktop program needs one. An example chart from orvanta-cli:"; \
	  echo; \
	  $(BUILD)/src/cli/orvanta-cli $(EXAMPLE); \
	fi

bench:
	@sh tools/install-deps.sh
	@cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DORVANTA_BENCH=ON -DORVANTA_TESTS=OFF \
	  -DORVANTA_WERROR=$(WERROR) >/dev/null
	@cmake --build $(BUILD)-bench -j$(JOBS)
	@for b in $(BUILD)-bench/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

# libFuzzer targets (clang) run for FUZZ_SECONDS each over tests/fuzz/corpus/.
FUZZ_SECONDS ?= 20
fuzz:
	@sh tools/install-deps.sh fuzz
	@cmake -S . -B $(BUILD)-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 -DORVANTA_WERROR=$(WERROR) \
	  -DORVANTA_GUI=OFF -DORVANTA_TESTS=OFF -DORVANTA_FUZZ=ON >/dev/null
	@cmake --build $(BUILD)-fuzz -j$(JOBS) --target orvanta_fuzzers
	@sh tests/fuzz/run.sh $(BUILD)-fuzz/tests/fuzz $(FUZZ_SECONDS)

stations:
	@sh tools/install-deps.sh stations
	@cmake -S . -B $(BUILD)-stations -DORVANTA_STATIONS=ON -DORVANTA_GUI=OFF >/dev/null
	@cmake --build $(BUILD)-stations -j$(JOBS) --target orvanta-stations
	@$(BUILD)-stations/tools/orvanta-stations > src/core/engine/stations.cpp.new
	@mv src/core/engine/stations.cpp.new src/core/engine/stations.cpp
	@echo "src/core/engine/stations.cpp regenerated"

# A Debian package, orvanta_<version>_<arch>.deb in this folder: CPack in
# $(BUILD)-package (no tests built), Depends computed by dpkg-shlibdeps.
package:
	@sh tools/install-deps.sh package
	@cmake -S . -B $(BUILD)-package -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANTA_TESTS=OFF >/dev/null
	@cmake --build $(BUILD)-package -j$(JOBS)
	@rm -f $(BUILD)-package/orvanta_*.deb
	@cd $(BUILD)-package && cpack -G DEB >/dev/null
	@cp $(BUILD)-package/orvanta_*.deb .
	@echo "Built $$(cd $(BUILD)-package && ls orvanta_*.deb)"

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-bench $(BUILD)-stations $(BUILD)-release $(BUILD)-core \
	  $(BUILD)-tsan $(BUILD)-fuzz $(BUILD)-package orvanta_*.deb
