# The two commands: `make run` starts Liravox, `make check` runs every test.
# Both install missing Debian packages first (tools/debian-packages.txt).

BUILD ?= build
JOBS ?= 2
PREFIX ?= /usr/local
# Optimised, with line tables for backtraces: full debug information would double
# the build's time (-DCMAKE_BUILD_TYPE=Debug for a debugger's view).
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG"

.PHONY: all deps configure build run check install bench fuzz reliability clean

all: build

deps:
	@tools/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@tools/run-program $(BUILD)

check: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The programs, their data and the desktop entry under $(PREFIX) (root for /usr/local).
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

bench: deps
	@tools/run-bench
	@tools/run-print-bench
	@tools/run-cli-bench
	@tools/run-editor-bench
	@tools/run-hostile-bench

# Black-box checks of the built programs under hostile files, kills, a full disk,
# read-only places and garbage settings (tools/run-reliability; xvfb for the desktop).
reliability: build
	@tools/install-deps tools/reliability-packages.txt
	@tools/run-reliability $(BUILD)

fuzz: deps
	@tools/run-fuzz $(or $(FUZZ_SECONDS),60) $(FUZZ_TARGETS)

clean:
	rm -rf $(BUILD)
