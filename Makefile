# Everything a developer or CI needs, from a fresh Debian 12 machine.
BUILD     ?= build
BUILDTYPE ?= RelWithDebInfo
JOBS      ?= $(shell nproc)

.PHONY: all deps configure build test run bench fuzz package clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILDTYPE) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

run: build
	@scripts/run-program $(BUILD)

bench: build
	@cmake --build $(BUILD) --target tallisto_bench -j $(JOBS)
	$(BUILD)/bench/tallisto_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

fuzz: deps
	@scripts/run-fuzzers

package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
