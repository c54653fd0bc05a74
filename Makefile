# Thin wrapper over the CMake presets; `make run` and `make test` are the README's two commands.
.PHONY: deps deps-test build run test test-release test-asan test-windows fuzz bench format format-check clean \
        windows-qt windows-app windows-package test-windows-app bench-windows deb

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

# Every suite runs to its end even when one before it failed; one summary closes the run.
test: deps-test
	./scripts/test-all.sh format-check fuzz test-windows test-windows-app test-asan test-release

# The Debian package, built as Debian builds packages (the results in build/deb).
deb:
	./scripts/build-deb.sh build/deb

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

# The whole program for Windows: a static Qt built once from Debian's own source into a cache
# (~/.cache/dewmoth/qt-windows), then dewmoth.exe, its installer and zip, and its tests under Wine.
windows-qt: deps-test
	./scripts/build-windows-qt.sh

windows-app: windows-qt
	DEWMOTH_WINDOWS_QT="$$(./scripts/build-windows-qt.sh --print-prefix)" \
	DEWMOTH_QT_HOST_CMAKE_DIR="/usr/lib/$$(gcc -print-multiarch)/cmake" cmake --preset windows-app
	cmake --build --preset windows-app -j $(JOBS)

windows-package: windows-app
	cmake --build --preset windows-app --target windows-installer
	cd build/windows-app && cpack -C Release
	cmake --build --preset windows-app --target winget-manifest
	@ls -l build/windows-app/Dewmoth-*-win64.exe build/windows-app/Dewmoth-*-win64.zip build/windows-app/winget

test-windows-app: windows-package
	ctest --preset windows-app

# Start-up under Wine against a minimal window built the same way, and the stripped size.
bench-windows: windows-app
	ctest --test-dir build/windows-app -L bench --output-on-failure -V

# Each fuzz target replays the committed corpus (a deterministic test), then fuzzes for a fixed
# time on top. libFuzzer comes with clang: the newest clang++ found is used.
FUZZ_SECONDS ?= 60
FUZZ_CXX ?= $(firstword $(foreach c,clang++ clang++-19 clang++-18 clang++-17 clang++-16 clang++-15 clang++-14,$(shell command -v $(c))))
fuzz:
	@test -n "$(FUZZ_CXX)" || { echo "fuzzing needs clang++ with libFuzzer (Debian: clang, libclang-rt-dev)"; exit 1; }
	@# A cache made with another compiler would be thrown away half-configured.
	@grep -qs "CMAKE_CXX_COMPILER:.*=$(FUZZ_CXX)$$" build/fuzz/CMakeCache.txt || rm -f build/fuzz/CMakeCache.txt
	cmake --preset fuzz -DCMAKE_CXX_COMPILER=$(FUZZ_CXX)
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
