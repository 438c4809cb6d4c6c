# The two set-up commands of the README: `make run` and `make test`.
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
CMAKE_FLAGS ?= -G Ninja -DCMAKE_BUILD_TYPE=Debug
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test asan-test fuzz bench install format clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

configure: $(BUILD)/build.ninja

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	scripts/run.sh $(BUILD)/tarvex

# Unit tests run in parallel; end-to-end tests (label e2e) one at a time, since
# each drives a real X session with real key presses and pointer moves. An
# end-to-end test that fails is run once more: a loaded machine can delay a
# window manager past a test's patience; a real fault fails both times.
test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -LE e2e
	cd $(BUILD) && ctest --output-on-failure -L e2e --repeat until-pass:2

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
asan-test: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_FLAGS) -DTARVEX_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 && \
	    ctest --output-on-failure -j $(JOBS) -LE e2e && ctest --output-on-failure -L e2e --repeat until-pass:2

# libFuzzer targets built with clang in their own folder, each run FUZZ_SECONDS from the seed
# corpus in tests/fuzz/corpus; failing inputs are saved in tests/fuzz/crashes for tst_FuzzReplay.
fuzz: deps
	@scripts/install-deps.sh fuzz
	scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(JOBS)

bench: build
	cmake --build $(BUILD) --target benchmarks -j $(JOBS)
	scripts/bench.sh $(BUILD)

# The program with its data, the menu entry and the keyboard access rule (DESTDIR is honoured).
install: build
	cmake --install $(BUILD)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
