# The two commands of the README: `make run` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 300
JOBS       ?= $(shell nproc)
SAMPLE     ?= examples/AuroraLamp.hff

.PHONY: setup configure build run test test-asan fuzz-build test-fuzz fuzz package test-install clean

setup:
	bash scripts/setup.sh

configure: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	bash scripts/run.sh "$(BUILD)" "$(SAMPLE)"

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory test-asan
	$(MAKE) --no-print-directory test-fuzz

# The Debian package, quillmark_<version>_<arch>.deb in $(BUILD)/.
package: build
	cd $(BUILD) && cpack -G DEB
	@ls $(BUILD)/quillmark_*.deb

# Opt-in: installs the package on this machine with apt (as root), checks the
# installed programs and what the desktop sees, and removes it again.
test-install: package
	bash tests/package/install_test.sh "$$(ls -t $(BUILD)/quillmark_*.deb | head -n 1)"

# The core and its tests once more under AddressSanitizer and UBSan.
test-asan: setup
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DQUILLMARK_SANITIZE=ON -DQUILLMARK_BUILD_GUI=OFF > /dev/null
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

# The libFuzzer targets of tests/fuzz: the core built with clang, instrumented
# and under AddressSanitizer and UBSan.
fuzz-build: setup
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
		-DQUILLMARK_FUZZ=ON -DQUILLMARK_BUILD_GUI=OFF -DQUILLMARK_BUILD_CLI=OFF \
		-DQUILLMARK_BUILD_TESTS=OFF > /dev/null
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

# A short run of every target from its seeds, as part of the tests.
test-fuzz: fuzz-build
	cd $(FUZZ_BUILD) && ctest --output-on-failure -j $(JOBS)

# Every target for FUZZ_SECONDS, one after the other on one core; the corpus
# each grows is kept in $(FUZZ_BUILD)/corpus for the next run.
fuzz: fuzz-build
	bash tests/fuzz/fuzz_all.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
