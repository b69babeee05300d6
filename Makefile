# Commands on a fresh Debian 12 machine:
#   make run   - installs what is missing, builds, runs the logon check on the sample file
#   make test  - installs what is missing, builds with AddressSanitizer and UBSan, runs every test,
#                then a short fuzzing run (make fuzz-smoke)
#   make bench - builds Release with the benchmarks, runs them and compares with remind
#   make coverage - line and branch coverage of src/ by every test (gcovr; report in build/coverage)
JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
ASAN_DIR := build/asan
FUZZ_DIR := build/fuzz
COVERAGE_DIR := build/coverage
SAMPLE := examples/sample.vkd

.PHONY: all deps build build-asan run test fuzz-smoke bench coverage clean

all: build

deps:
	@scripts/install-deps

$(RELEASE_DIR)/build.ninja:
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEMORA_BUILD_TESTS=OFF

$(ASAN_DIR)/build.ninja:
	cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Asan

$(COVERAGE_DIR)/build.ninja:
	cmake -S . -B $(COVERAGE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Coverage

build: deps $(RELEASE_DIR)/build.ninja
	cmake --build $(RELEASE_DIR) -j $(JOBS)

build-asan: deps $(ASAN_DIR)/build.ninja
	cmake --build $(ASAN_DIR) -j $(JOBS)

run: build
	$(RELEASE_DIR)/bin/vemora /r $(SAMPLE)

test: build-asan
	cd $(ASAN_DIR) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) fuzz-smoke

fuzz-smoke: deps
	fuzz/smoke.sh $(FUZZ_DIR)

bench: deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEMORA_BUILD_TESTS=OFF -DVEMORA_BUILD_BENCH=ON
	cmake --build $(RELEASE_DIR) -j $(JOBS)
	bench/run-bench.sh $(RELEASE_DIR)

# Counters start from zero on every run; throw and unreachable branches are left out, as no
# test could take them on purpose.
coverage: deps $(COVERAGE_DIR)/build.ninja
	cmake --build $(COVERAGE_DIR) -j $(JOBS)
	find $(COVERAGE_DIR) -name '*.gcda' -delete
	cd $(COVERAGE_DIR) && ctest -j $(JOBS) --output-on-failure
	gcovr --root . --filter 'src/' --exclude-throw-branches --exclude-unreachable-branches -j $(JOBS) \
	  --print-summary --txt $(COVERAGE_DIR)/coverage.txt --html-details $(COVERAGE_DIR)/coverage.html \
	  $(COVERAGE_DIR)

clean:
	rm -rf build
