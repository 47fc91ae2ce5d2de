# make run   - install what is missing, build everything, generate the game folder and start the game
# make test  - the same set-up, then every test through CTest
# make package - the Debian package (build/mashvolt_<version>_<arch>.deb)
BUILD ?= build

# ccache (when installed) shares compiled objects between clones of the repository: paths inside it are
# taken relative to it, and the build folder's own path does not count.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1
ARGS ?=

.PHONY: all deps configure build run test package bench sanitize fuzz fuzz-run soak clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD)

run: build
	cd $(BUILD)/game && ./mashvolt $(ARGS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j2

# The .deb of the program, its data, a menu entry and an icon; scripts/check-package checks it.
package: build
	@scripts/install-deps.sh package
	cmake --build $(BUILD) --target package

# Every benchmark, as ratios to a frame memcpy timed in the same run.
bench: build
	scripts/bench-summary

# Sanitizer build of everything and its tests.
sanitize: deps
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMASHVOLT_SANITIZE=ON -DMASHVOLT_BENCH=OFF
	cmake --build build-asan
	ctest --test-dir build-asan --output-on-failure -j2

# libFuzzer targets and their seed corpus, built with clang (installed when missing). FUZZ_DATA names a
# game folder generated already (e.g. build/game), so the fuzz build need not build the generator.
FUZZ_DATA ?=
fuzz:
	@scripts/install-deps.sh fuzz
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DMASHVOLT_FUZZ=ON -DMASHVOLT_BENCH=OFF -DMASHVOLT_FUZZ_DATA=$(FUZZ_DATA)
	cmake --build build-fuzz --target fuzz

# Each fuzz target for FUZZ_SECONDS from its seeds; stops at the first finding.
FUZZ_SECONDS ?= 30
fuzz-run: fuzz
	scripts/fuzz-run build-fuzz $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) build-asan build-fuzz
