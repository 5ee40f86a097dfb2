# Thin wrapper over CMake presets. Every target installs missing packages first.
.PHONY: all deps build run test bench fuzz fuzz-build package clean

JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 30

all: build

deps:
	@scripts/install-deps

build/release/build.ninja: | deps
	cmake --preset release

build: deps build/release/build.ninja
	cmake --build --preset release -j $(JOBS)

run: build
	@scripts/run-program

test: build
	@test -f build/sanitize/build.ninja || cmake --preset sanitize
	cmake --build --preset sanitize -j $(JOBS)
	@scripts/run-tests

package: build
	cmake --build --preset release --target package

bench: build
	@find build/release/bench -type f -name "vantor_bench_*" -perm -u+x | sort | while read -r b; do echo "== $$b"; "$$b" || exit 1; done

# The fuzz targets built with clang, whose warnings differ from GCC's; CI builds them too.
fuzz-build: deps
	@test -f build/fuzz/build.ninja || cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)

fuzz: fuzz-build
	@scripts/run-fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build
