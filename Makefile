# Commands on a fresh Debian 12 machine:
#   make run   - installs what is missing, builds, runs the logon check on the sample file
#   make test  - installs what is missing, builds with AddressSanitizer and UBSan, runs every test,
#                then a short fuzzing run (make fuzz-smoke)
#   make bench - builds Release with the benchmarks, runs them and compares with remind
#   make coverage - line and branch coverage of src/ by every test (gcovr; report in build/coverage)
#   make deb   - builds the Debian package in build/deb and checks it with lintian and the validators
JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
ASAN_DIR := build/asan
FUZZ_DIR := build/fuzz
COVERAGE_DIR := build/coverage
DEB_DIR := build/deb
SAMPLE := examples/sample.vkd

.PHONY: all deps build build-asan run test fuzz-smoke bench coverage deb clean

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

# The package is built from a copy of the tree, so that dpkg-buildpackage leaves its files in
# build/deb and never beside the project's folder.
deb:
	scripts/install-deps --packaging
	rm -rf $(DEB_DIR) && mkdir -p $(DEB_DIR)/vemora
	tar --exclude=./build --exclude=./.git -cf - . | tar -xf - -C $(DEB_DIR)/vemora
	cd $(DEB_DIR)/vemora && dpkg-buildpackage -us -uc -b
	lintian --fail-on error --display-info $(DEB_DIR)/*.changes
	desktop-file-validate $(DEB_DIR)/vemora/debian/vemora/usr/share/applications/vemora.desktop
	appstreamcli validate --no-net $(DEB_DIR)/vemora/debian/vemora/usr/share/metainfo/*.metainfo.xml
	@ls -l $(DEB_DIR)/*.deb

clean:
	rm -rf build
