# Korvex: `make run` to build and start the client, `make test` to build and run every test.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps build run test bench clean data

deps:
	bash scripts/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

data:
	bash scripts/make-data.sh

# Everything: the program, the tests and the benchmarks.
build: deps data $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# Each of these builds only what it runs.
run: deps data $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target korvex
	cd $(BUILD)/src && ./korvex

test: deps data $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target korvex_tests
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps data $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target korvex_bench
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ./bench/korvex_bench

clean:
	rm -rf $(BUILD)
