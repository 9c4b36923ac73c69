# The two commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS  ?= $(shell nproc)
CMAKE_FLAGS ?= -G Ninja -DCMAKE_BUILD_TYPE=Release

.PHONY: run test deps build asan bench fuzz

deps:
	@scripts/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then $(BUILD)/cf41r08; \
	 else xvfb-run -a $(BUILD)/cf41r08; fi

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The tests under AddressSanitizer and UndefinedBehaviorSanitizer.
asan:
	@$(MAKE) test BUILD=build-asan CMAKE_FLAGS="-G Ninja -DCMAKE_BUILD_TYPE=Debug -DCF_SANITIZE=ON"

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -f "$$b" ] && [ -x "$$b" ] && "$$b"; done; true

# libFuzzer targets of the file and stream readers (clang, address and undefined-behaviour
# sanitizers), each run FUZZ_RUNS times; not part of `make test`.
FUZZ_BUILD   ?= build-fuzz
FUZZ_RUNS    ?= 1000000
FUZZ_TARGETS ?= scl ede rules mbus_frame mbus_telegram mbus_network grid_csv grid_fixed \
                grid_xml grid_text grid_bin grid_clipboard grid_colstate grid_look tree
fuzz:
	@scripts/install-deps --fuzz
	@[ -f $(FUZZ_BUILD)/build.ninja ] || CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) \
	    -G Ninja -DCMAKE_BUILD_TYPE=Release -DCF_FUZZ=ON -DBUILD_TESTING=OFF
	cmake --build $(FUZZ_BUILD) -j 3 --target fuzzers
	fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_RUNS) $(FUZZ_TARGETS)
