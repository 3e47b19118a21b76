# Two commands do everything on a fresh Debian 12 machine:
#   make run    installs what is missing, builds and starts the application
#   make test   installs what is missing, builds and runs every test
# CI adds the unit suites under the sanitizers, with the black-box test of the
# real binary under ThreadSanitizer (make sanitize), and the property-list
# fuzzer (make fuzz), each in a build folder of its own.
BUILD ?= build
JOBS ?= $(shell nproc)
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
FUZZ_BUILD ?= build-fuzz
# CI's fuzzing: a fixed number of inputs, with a time limit as a guard only.
FUZZ_RUNS ?= 200000
FUZZ_TIME ?= 600

SUPPRESSIONS := $(CURDIR)/tests/sanitizers
# Any report ends the process with an error; only the system libraries' own
# leaks and races are suppressed.
ASAN_ENV := ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
            UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
            LSAN_OPTIONS=suppressions=$(SUPPRESSIONS)/lsan.supp
TSAN_ENV := TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=$(SUPPRESSIONS)/tsan.supp
# The real binary under ThreadSanitizer runs on Qt's own event dispatcher: with
# GLib's, Qt's D-Bus thread wakes a GLib main context at exit through an eventfd
# whose hand-off the sanitizer cannot see, and only Qt's and X's libraries are
# suppressed. The test is named exactly, so that no other black-box test joins it.
TSAN_BLACKBOX_ENV := QT_NO_GLIB=1
TSAN_BLACKBOX := ^blackbox\.quillevard$$
SANITIZED := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLEVARD_BENCH=OFF

.PHONY: setup build run test stress bench clean sanitize sanitize-address sanitize-thread fuzz golden

setup:
	tools/setup.sh

build: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/quillevard

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -LE stress

# The stress run of the real binary (a few minutes); `make test` leaves it out.
stress: build
	cd $(BUILD) && ctest --output-on-failure -L stress

bench: build
	$(BUILD)/bench/quillevard_bench

# Rewrites the design lists' golden bytes from the designs as they now stand. Only
# for a deliberate change of a design: read the difference before committing it.
# No test run writes the file.
GOLDEN := tests/app/golden/design_lists.txt
golden: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS) --target quillevard_golden_writer
	$(BUILD)/bin/quillevard_golden_writer $(GOLDEN)
	git diff --stat -- $(GOLDEN) || true

# The unit suites, and under ThreadSanitizer the black-box test as well; the
# benchmarks are left out.
sanitize: sanitize-address sanitize-thread

sanitize-address: setup
	cmake -S . -B $(ASAN_BUILD) $(SANITIZED) -DQUILLEVARD_SANITIZE=address
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target framework_tests app_tests
	cd $(ASAN_BUILD) && env $(ASAN_ENV) ctest -L unit --output-on-failure -j $(JOBS)

sanitize-thread: setup
	cmake -S . -B $(TSAN_BUILD) $(SANITIZED) -DQUILLEVARD_SANITIZE=thread
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target framework_tests app_tests quillevard
	cd $(TSAN_BUILD) && env $(TSAN_ENV) ctest -L unit --output-on-failure -j $(JOBS)
	cd $(TSAN_BUILD) && env $(TSAN_ENV) $(TSAN_BLACKBOX_ENV) ctest -R '$(TSAN_BLACKBOX)' --no-tests=error --output-on-failure

# Starts from the seeds every time, so that a run is repeatable; crashing inputs
# are kept in $(FUZZ_BUILD)/fuzz/crashes.
fuzz: setup
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DQUILLEVARD_FUZZ=ON -DQUILLEVARD_TESTS=OFF $(SANITIZED)
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target property_list_fuzzer
	rm -rf $(FUZZ_BUILD)/fuzz/corpus
	mkdir -p $(FUZZ_BUILD)/fuzz/corpus $(FUZZ_BUILD)/fuzz/crashes
	env $(ASAN_ENV) $(FUZZ_BUILD)/bin/property_list_fuzzer -runs=$(FUZZ_RUNS) -seed=1 -max_len=4096 \
	    -timeout=30 -max_total_time=$(FUZZ_TIME) -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_BUILD)/fuzz/crashes/ $(FUZZ_BUILD)/fuzz/corpus $(FUZZ_BUILD)/fuzz/seeds

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD)
