# SPDX-License-Identifier: GPL-3.0-or-later
# Everything a developer or CI needs, from a fresh Debian 12 machine.
#   make test SANITIZE=1   every test built with Clang, AddressSanitizer and UBSan, in build-asan/
#   make build BUILDTYPE=Release BUILD=build-release
ifeq ($(SANITIZE),1)
BUILD     ?= build-asan
CONFIG    += -DCMAKE_CXX_COMPILER=clang++ -DTALLISTO_SANITIZE=ON
# Leaks inside system libraries that the program cannot free are listed in tests/lsan.supp.
export ASAN_OPTIONS  = detect_leaks=1
export LSAN_OPTIONS  = suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS = print_stacktrace=1:halt_on_error=1
endif
BUILD     ?= build
BUILDTYPE ?= RelWithDebInfo
JOBS      ?= $(shell nproc)
# Our builds treat warnings as errors; ccache speeds up rebuilds when it is installed.
CONFIG    += -DTALLISTO_WERROR=ON -DCMAKE_CXX_COMPILER_LAUNCHER=$(shell command -v ccache)

.PHONY: all deps configure build test run bench fuzz package clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILDTYPE) $(CONFIG) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

run: build
	@scripts/run-program $(BUILD)

# Every figure of bench/figures.txt, measured on a Release build: its median, target and whether
# it is met. Not part of `make test`: the numbers are the machine's, not pass or fail.
BENCH_BUILD ?= build-release
bench: deps
	@$(MAKE) --no-print-directory configure BUILD=$(BENCH_BUILD) BUILDTYPE=Release
	@cmake --build $(BENCH_BUILD) -j $(JOBS) \
		--target tallisto tallisto_bench bare_window window_start
	@bench/report $(BENCH_BUILD)

fuzz: deps
	@scripts/run-fuzzers

package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
