# The two set-up commands of the README: `make run` and `make test`. Both use one
# optimised build folder, so the program is compiled once; `make run` builds only
# the program, `make test` adds the tests. The sanitizer build has its own folder.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_RUNS ?=
MUTATE_BUILD ?= build-mutate
MUTANTS ?= 450
SEED ?= 1
CMAKE_FLAGS ?= -G Ninja
JOBS ?= $(shell nproc)

.PHONY: all deps configure program build run test asan-test fuzz mutate bench install package format \
	clean

all: build

deps:
	@scripts/install-deps.sh

# (Re)configures when the folder is new or was configured for another build type.
configure:
	@grep -qsx 'CMAKE_BUILD_TYPE:STRING=$(BUILD_TYPE)' $(BUILD)/CMakeCache.txt || \
	    cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

program: deps configure
	cmake --build $(BUILD) --target tarvex -j $(JOBS)

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

run: program
	scripts/run.sh $(BUILD)/tarvex

# Unit tests run in parallel; end-to-end tests (label e2e) one at a time, since
# each drives a real X session with real key presses and pointer moves. No test
# is run a second time: each waits for states, so a loaded machine only slows it.
test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -LE e2e
	cd $(BUILD) && ctest --output-on-failure -L e2e

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
asan-test: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DTARVEX_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 && \
	    ctest --output-on-failure -j $(JOBS) -LE e2e && ctest --output-on-failure -L e2e

# libFuzzer targets built with clang in their own folder, each run FUZZ_SECONDS from the seed
# corpus in tests/fuzz/corpus; failing inputs are saved in tests/fuzz/crashes for TestFuzzReplay.
# FUZZ_RUNS=N makes N runs per target with a fixed seed instead (what CI runs: the same tree
# always gets the same verdict).
fuzz: deps
	@scripts/install-deps.sh fuzz
	FUZZ_RUNS=$(FUZZ_RUNS) scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(JOBS)

# Mutation testing, not part of CI: MUTANTS mutants drawn with SEED, compiled all at once in
# their own folder, each run against the unit tests that reach it (E2E=1 adds the end-to-end
# tests); COMPARE=old.json runs an earlier report's mutants again and lists those no longer killed.
mutate: deps
	scripts/mutate.py --build $(MUTATE_BUILD) --mutants $(MUTANTS) --seed $(SEED) --jobs $(JOBS) \
	    $(if $(filter 1,$(E2E)),--e2e) $(if $(COMPARE),--compare $(COMPARE))

# The benchmarks of the optimised build; the peer benchmark runs the program idle in a tray.
bench: program
	cmake --build $(BUILD) --target benchmarks -j $(JOBS)
	scripts/bench.sh $(BUILD)

# The program with its data, the menu entry and the key reader with its units (DESTDIR, PREFIX).
install: deps configure
	cmake --build $(BUILD) --target installable -j $(JOBS)
	cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

# The Debian package (build/tarvex_*.deb) from the same build folder, checked by lintian.
package: deps configure
	@scripts/install-deps.sh package
	cmake --build $(BUILD) --target installable -j $(JOBS)
	rm -f $(BUILD)/tarvex_*.deb
	cd $(BUILD) && cpack
	lintian --fail-on error --display-info $(BUILD)/tarvex_*.deb
	scripts/check-package.sh $(BUILD)/tarvex_*.deb

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(MUTATE_BUILD)
