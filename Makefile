# make test  - installs what is missing, builds the native and Windows trees, runs every test
# make run   - installs, builds, lays out build/run/ and starts the program under Wine
# make bench - benchmarks (optimised native build)
# make fuzz  - the fuzzers, a few minutes each
.PHONY: all setup native win64 win32 test run bench fuzz clean format

all: native win64 win32

setup:
	@bash scripts/setup.sh

native: setup
	@cmake --preset native >/dev/null
	@cmake --build build/native

win64: setup
	@cmake --preset win64 >/dev/null
	@cmake --build build/win64

win32: setup
	@cmake --preset win32 >/dev/null
	@cmake --build build/win32 --target xlsamples

test: native win64 win32
	@bash scripts/test.sh

run: win64
	@bash scripts/run.sh

bench: win64
	@cmake --preset bench >/dev/null
	@cmake --build build/bench
	@bash scripts/bench.sh

fuzz: setup
	@cmake --preset fuzz >/dev/null
	@cmake --build build/fuzz
	@bash scripts/fuzz.sh

format:
	@git ls-files '*.cc' '*.h' | xargs clang-format -i

clean:
	rm -rf build
