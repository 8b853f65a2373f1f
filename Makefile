# make test  installs what is missing, builds both configurations and runs every test.
# make run   starts the program on its shipped defaults (on a virtual display
#            when no X display is set).

NATIVE := build/native
WIN32  := build/win32
JOBS   ?= $(shell nproc)

.PHONY: test run deps native win32 test-native test-win32 format clean

test: deps
	$(MAKE) native win32
	$(MAKE) test-native test-win32

run: deps
	$(MAKE) win32
	bash scripts/run-program.sh $(WIN32)/app/quillmere.exe

deps:
	bash scripts/install-deps.sh
	bash scripts/browser-tools.sh

native:
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(NATIVE) -j $(JOBS)

win32:
	cmake -S . -B $(WIN32) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release
	cmake --build $(WIN32) -j $(JOBS)

test-native:
	ctest --test-dir $(NATIVE) --output-on-failure

test-win32:
	ctest --test-dir $(WIN32) --output-on-failure

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
