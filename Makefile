# Front door: every target installs what is missing, configures and builds.
BUILD      ?= build
SAN_BUILD  ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc)
PREFIX     ?= /usr/local

.PHONY: all deps build run test sanitize fuzz bench install package clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./tramolkulap

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

$(SAN_BUILD)/build.ninja:
	cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTK_SANITIZE=ON

sanitize: deps $(SAN_BUILD)/build.ninja
	cmake --build $(SAN_BUILD) -j $(JOBS)
	ctest --test-dir $(SAN_BUILD) --output-on-failure -j $(JOBS)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The .deb lands in $(BUILD); lintian must find no error in it.
package: build
	cd $(BUILD) && cpack -G DEB
	lintian --fail-on error $(BUILD)/tramolkulap_*.deb

# Each libFuzzer target for FUZZ_SECONDS (clang, in $(FUZZ_BUILD)); fails on any crash, leak or timeout.
fuzz: deps
	FUZZ_BUILD=$(FUZZ_BUILD) JOBS=$(JOBS) scripts/fuzz.sh $(FUZZ_SECONDS)

# $(BUILD) is optimised (RelWithDebInfo: -O2), as timings of a debug build would mislead.
bench: build
	$(BUILD)/bench/tramolkulap-bench

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD)
