# The two commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS  ?= $(shell nproc)
CMAKE_FLAGS ?= -G Ninja -DCMAKE_BUILD_TYPE=Release

.PHONY: run test deps build asan bench

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
