# Quick start: `make run` opens the editor on the demo container, `make test` runs every test.
BUILD_DIR ?= build
BUILD_TYPE ?= Release
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 300

# The core's GoogleTest suites (every tovrik_add_gtest) and the corpus replays of the non-Qt fuzz targets.
ASAN_TARGETS := $(shell sed -n 's/^tovrik_add_gtest.\([a-z_]*\).*/\1/p' tests/*/CMakeLists.txt) \
  zip_replay media_replay dib_replay ini_replay

.PHONY: all deps configure build run test asan-test fuzz clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@$(BUILD_DIR)/bin/TovrikEditor $(abspath $(BUILD_DIR))/bin/examples/demo.tvk

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The core tests and the fuzz replays under AddressSanitizer and UBSan (build-asan/). Test names with a dot
# are the GoogleTest cases and the replays; the Qt widget tests (no dot, or labelled qt) stay with `make test`.
asan-test: deps
	@cmake --preset asan >/dev/null
	@cmake --build build-asan -j $(JOBS) --target $(ASAN_TARGETS)
	@cd build-asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS) -R '\.' -LE qt

# Real libFuzzer binaries (clang-14, build-fuzz/bin/*_fuzzer), each run for FUZZ_SECONDS on its corpus in turn;
# new inputs go to build-fuzz/found/<name>/, crashes to build-fuzz/crash-*.
fuzz: deps
	@command -v clang++-14 >/dev/null || { apt-get update -qq && apt-get install -y -qq --no-install-recommends clang-14 libclang-rt-14-dev; }
	@cmake --preset fuzz >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target zip_fuzzer media_fuzzer dib_fuzzer ini_fuzzer rtf_fuzzer
	@for name in zip media dib ini rtf; do \
	  mkdir -p build-fuzz/found/$$name; \
	  build-fuzz/bin/$${name}_fuzzer -max_total_time=$(FUZZ_SECONDS) -timeout=10 -artifact_prefix=build-fuzz/ \
	    build-fuzz/found/$$name fuzz/corpus/$$name || exit 1; \
	done

clean:
	@rm -rf $(BUILD_DIR)
