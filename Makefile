# The README's commands. Each installs what it needs first.
JOBS ?= $(shell nproc)

.PHONY: all deps build windows wine-tests run test fuzz bench format format-check clean

all: build

deps:
	@tools/install-deps

build: deps
	cmake --preset linux
	cmake --build --preset linux -j $(JOBS)

# The 32-bit Windows program: build/windows/zivmora.exe.
windows: deps
	cmake --preset windows
	cmake --build --preset windows -j $(JOBS)

# The same Windows sources for x86-64, as the Wine tests run them, with their driver.
wine-tests: deps
	cmake --preset wine-tests
	cmake --build --preset wine-tests -j $(JOBS)

# The program against the demo site on 127.0.0.1 (ZIVMORA_PUBLISH=1.50 shows the update prompt).
run: build
	tools/run-demo build/linux

# A short bounded libFuzzer run over the version page's reading, then every test.
fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	ctest --preset fuzz

test: format-check build fuzz windows wine-tests
	ctest --preset linux -j $(JOBS)

SOURCES = $(shell git ls-files '*.cpp' '*.hpp')

# .clang-format is the formatting authority.
format:
	clang-format -i $(SOURCES)

format-check: deps
	clang-format --dry-run -Werror $(SOURCES)

bench: build
	build/linux/bench/update_check_bench
	python3 bench/startup_memory.py build/linux

clean:
	rm -rf build
