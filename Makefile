# One way to build and test: this wraps CMake and ctest. Every target first
# installs whatever the machine is missing (tools/install-deps is quick when
# nothing is).

BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

CONFIGURE = cmake -S . -B $(BUILD_DIR) -G Ninja -DMORVANE_WERROR=ON $(CMAKE_FLAGS)

.PHONY: all deps configure build test run install clean

all: build

deps:
	@./tools/install-deps

configure: deps
	@$(CONFIGURE) > /dev/null

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure --no-tests=error -j $(JOBS)

run: build
	./$(BUILD_DIR)/app/morvane

install: build
	cmake --install $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR)
