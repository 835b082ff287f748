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

build: deps data $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD)/src && ./korvex

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ./bench/korvex_bench

clean:
	rm -rf $(BUILD)
