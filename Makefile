# Thin wrapper over the CMake presets; `make run` and `make test` are the README's two commands.
.PHONY: deps deps-test build run test test-release test-asan test-windows bench format format-check clean

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

test: deps-test format-check test-release test-asan test-windows

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
