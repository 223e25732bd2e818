# Quick start: `make run` opens the editor on the demo container, `make test` runs every test.
# With PRESET=<name> (CI runs `make test PRESET=ci`, warnings as errors) the build uses that CMake preset.
BUILD_DIR ?= build
BUILD_TYPE ?= Release
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 300

# A preset builds in its own binaryDir, as CMakePresets.json gives it ("${sourceDir}/build" for release).
ifdef PRESET
  BUILD_DIR := $(shell python3 -c 'import json, sys; p = {c["name"]: c for c in json.load(open("CMakePresets.json"))["configurePresets"]}; \
    print(p[sys.argv[1]]["binaryDir"].replace("$${sourceDir}/", "") if sys.argv[1] in p else "")' $(PRESET))
  ifeq ($(BUILD_DIR),)
    $(error PRESET=$(PRESET) is not a configure preset of CMakePresets.json)
  endif
  CONFIGURE := cmake --preset $(PRESET)
else
  CONFIGURE := cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)
endif

# The core's GoogleTest suites (every tovrik_add_gtest) and the corpus replays of the non-Qt fuzz targets.
ASAN_TARGETS := $(shell sed -n 's/^ *tovrik_add_gtest.\([a-z_]*\).*/\1/p' tests/*/CMakeLists.txt) \
  zip_replay media_replay dib_replay picture_replay ini_replay

.PHONY: all deps configure build run test asan-test fuzz package translations windows windows-test clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@$(CONFIGURE) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@$(BUILD_DIR)/bin/TovrikEditor $(abspath $(BUILD_DIR))/bin/examples/demo.tvk

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The core tests and the fuzz replays under AddressSanitizer and UBSan (build-asan/). The asan test preset
# holds which tests (names with a dot: the GoogleTest cases and the replays, not the Qt widget tests) and the
# sanitizer options, so `ctest --preset asan` runs the same.
asan-test: deps
	@cmake --preset asan >/dev/null
	@cmake --build build-asan -j $(JOBS) --target $(ASAN_TARGETS)
	@ctest --preset asan -j $(JOBS)

# tvk.exe and the core's test programs for 64-bit Windows (build-windows/bin, build-windows/tests), cross-compiled
# with MinGW-w64; the libraries Debian has no MinGW build of are built once into build-windows/deps.
windows:
	@bash scripts/install-deps.sh windows
	@bash scripts/windows-deps.sh build-windows/deps
	@cmake --preset windows >/dev/null
	@cmake --build build-windows -j $(JOBS)

# The Windows build's tests under Wine (a prefix of its own in build-windows/wine), among them the comparison of
# tvk.exe's containers with those of this machine's tvk ($(BUILD_DIR)/bin/tvk, built here when missing). Wine's
# server of that prefix is stopped afterwards, so that nothing of a hung test outlives the run.
windows-test: windows configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target tvk
	@cmake --preset windows -DTOVRIK_NATIVE_TVK=$(abspath $(BUILD_DIR))/bin/tvk >/dev/null
	@ctest --preset windows -j $(JOBS); status=$$?; WINEPREFIX=$(abspath build-windows/wine) wineserver -k 2>/dev/null; \
	  exit $$status

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

# The Debian package (build/tovrikeditor_<version>_<arch>.deb), then a look at it: its files, lintian, and its tvk
# run from an unpacked copy.
package: build
	@cd $(BUILD_DIR) && cpack -G DEB >/dev/null && ls tovrikeditor_*.deb
	@bash scripts/check-package.sh $(BUILD_DIR)/tovrikeditor_*.deb

# New and changed texts of the editor into translations/tovrikeditor_en.ts (lupdate); fill in their English, then
# `make` compiles it.
translations: configure
	@cmake --build $(BUILD_DIR) --target update_translations

clean:
	@rm -rf $(BUILD_DIR)
