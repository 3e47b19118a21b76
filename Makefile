# Two commands do everything on a fresh Debian 12 machine:
#   make run    installs what is missing, builds and starts the application
#   make test   installs what is missing, builds and runs every test
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: setup build run test bench clean

setup:
	tools/setup.sh

build: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/quillevard

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bench/quillevard_bench

clean:
	rm -rf $(BUILD)
