# make test  installs what is missing, builds every configuration and runs every
#            test this machine can run.
# make dist  builds both Windows programs and packs each into dist/: a portable
#            zip and a setup program (packaging/).
# make run   starts the program on its shipped defaults (on a virtual display
#            when no X display is set).

NATIVE := build/native
WIN32  := build/win32
WIN64  := build/win64
DIST   := dist
JOBS   ?= $(shell nproc)

.PHONY: test run dist deps native win32 win64 test-native test-windows format clean

test: deps
	$(MAKE) native win32 win64
	$(MAKE) test-native test-windows

run: deps
	bash scripts/run-program.sh

# The packages of both builds, each zip read back.
dist:
	bash scripts/install-deps.sh
	$(MAKE) win32 win64
	bash packaging/make-package.sh $(WIN32) $(DIST)
	bash packaging/make-package.sh $(WIN64) $(DIST)
	bash packaging/check-zip.sh $(DIST) $(WIN32)
	bash packaging/check-zip.sh $(DIST) $(WIN64)

deps:
	bash scripts/install-deps.sh
	bash scripts/browser-tools.sh

native:
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(NATIVE) -j $(JOBS)

win32:
	cmake -S . -B $(WIN32) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release
	cmake --build $(WIN32) -j $(JOBS)

win64:
	cmake -S . -B $(WIN64) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
	cmake --build $(WIN64) -j $(JOBS)

test-native:
	ctest --test-dir $(NATIVE) --output-on-failure

# The Windows tests of every build this machine runs (scripts/test-windows.sh).
test-windows:
	bash scripts/test-windows.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build $(DIST)
