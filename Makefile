# Set-up and everyday commands; every target installs what is missing first.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test bench clean test-asan fuzz install differential test-journal-kill translations

all: build

deps:
	./scripts/install-deps

$(BUILD_DIR)/build.ninja: CMakeLists.txt | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

configure: deps $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Without a display the program runs on a virtual one.
run: build
	@if [ -n "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ]; then \
		./$(BUILD_DIR)/app/sifta; \
	else \
		xvfb-run -a -s "-screen 0 1280x1024x24" ./$(BUILD_DIR)/app/sifta; \
	fi

test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# Brings the translation sources (translations/*.ts) up to date with the texts of the code.
translations: configure
	cmake --build $(BUILD_DIR) --target update_translations

bench: build
	./scripts/install-deps ripgrep perl python3 nodejs time
	./bench/run-all $(BUILD_DIR)

# The differential test against JavaScript's RegExp in node with many more random cases than
# "make test" runs (10,000 there), from another seed:
#   make differential DIFFERENTIAL_CASES=1000000 DIFFERENTIAL_SEED=7
DIFFERENTIAL_CASES ?= 200000
DIFFERENTIAL_SEED ?= 1

differential: build
	./scripts/install-deps nodejs
	QT_QPA_PLATFORM=offscreen QTEST_FUNCTION_TIMEOUT=86400000 SIFTA_DIFFERENTIAL_CASES=$(DIFFERENTIAL_CASES) SIFTA_DIFFERENTIAL_SEED=$(DIFFERENTIAL_SEED) \
		./$(BUILD_DIR)/tests/search/tst_differential

# The recovery journal's kill test with more runs than "make test" makes (12 there):
#   make test-journal-kill JOURNAL_KILL_RUNS=500 JOURNAL_KILL_SEED=7
JOURNAL_KILL_RUNS ?= 100
JOURNAL_KILL_SEED ?= 27

test-journal-kill: build
	QT_QPA_PLATFORM=offscreen QTEST_FUNCTION_TIMEOUT=86400000 SIFTA_KILL_RUNS=$(JOURNAL_KILL_RUNS) SIFTA_KILL_SEED=$(JOURNAL_KILL_SEED) \
		./$(BUILD_DIR)/tests/journal/tst_journalkill

# Every test under AddressSanitizer and UndefinedBehaviorSanitizer; any report fails its test.
# A debug build, so that assertions hold too; -O1, line tables only and no benchmarks keep it
# short. Leak checking is on.
ASAN_DIR ?= build-asan
SANITIZE_FLAGS = -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer

test-asan: deps
	cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSIFTA_BUILD_BENCHMARKS=OFF \
		-DCMAKE_CXX_FLAGS="-O1 $(SANITIZE_FLAGS)" -DCMAKE_CXX_FLAGS_DEBUG="-g1"
	cmake --build $(ASAN_DIR) -j $(JOBS)
	QT_QPA_PLATFORM=offscreen \
	ASAN_OPTIONS="halt_on_error=1:detect_leaks=1" \
	UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1" \
		ctest --test-dir $(ASAN_DIR) --output-on-failure -j $(JOBS)

# libFuzzer targets built with clang, each run for FUZZ_SECONDS one after the other:
#   make fuzz FUZZ_SECONDS=600 FUZZ_TARGETS="codec ini"
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?= codec ini replacement pattern

fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSIFTA_FUZZ=ON -DSIFTA_BUILD_BENCHMARKS=OFF \
		-DCMAKE_CXX_COMPILER=clang++ \
		-DCMAKE_CXX_FLAGS="-O1 -g $(SANITIZE_FLAGS) -fsanitize=fuzzer-no-link"
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	./tests/fuzz/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# Installs under PREFIX, staged under DESTDIR when given:
#   make install DESTDIR=/tmp/stage PREFIX=/usr
# Unlike the other targets it installs no packages, so it needs no root rights of its own.
PREFIX ?= /usr/local

install:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(BUILD_DIR) -j $(JOBS)
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR)
