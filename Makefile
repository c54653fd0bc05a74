# Thin wrapper over the CMake presets; `make run` and `make test` are the README's two commands.
.PHONY: deps deps-test build run test test-release test-asan test-windows fuzz bench format format-check clean

JOBS ?= $(shell nproc)

deps:
	./scripts/install-deps.sh run

deps-test:
	./scripts/install-deps.sh test

build: deps
	cmake --preset default -DBUILD_TESTING=OFF
	cmake --build --preset default -j $(JOBS)

run: build
	./build/default/bin/dewmoth

test: deps-test format-check fuzz test-windows test-asan test-release

test-release:
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	ctest --preset release

test-asan:
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan

# The Windows backend, cross-compiled with MinGW-w64 and run under Wine.
test-windows:
	cmake --preset windows
	cmake --build --preset windows -j $(JOBS)
	ctest --preset windows

# Each fuzz target for a fixed time, starting from the committed corpus.
FUZZ_SECONDS ?= 60
fuzz:
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS) --target fuzz_quote_file fuzz_exec_line
	./scripts/run-fuzzers.sh $(FUZZ_SECONDS)

bench: deps-test
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	ctest --preset bench

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	git ls-files '*.cpp' '*.h' | xargs -r clang-format --dry-run --Werror

clean:
	rm -rf build
