# Front door: every target installs what it is missing (scripts/install-deps.sh, by set),
# configures and builds. `make run` needs only what the game needs; the tests come with
# `make test`, which adds them to the same build folder.
BUILD      ?= build
SAN_BUILD  ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
WEB_BUILD  ?= build-web
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc)
PREFIX     ?= /usr/local
CONFIGURE   = cmake -S . -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -B

.PHONY: all game build run test sanitize fuzz bench install package web web-serve clean

all: build

# The game and the levels tool, in a build folder configured without the tests when it is new
# (one that has them keeps them).
game:
	@scripts/install-deps.sh run
	@test -f $(BUILD)/build.ninja || $(CONFIGURE) $(BUILD) -DTK_TESTS=OFF
	cmake --build $(BUILD) -j $(JOBS)

run: game
	cd $(BUILD) && ./tramolkulap

# The game and the tests.
build:
	@scripts/install-deps.sh test
	@grep -qx 'TK_TESTS:BOOL=ON' $(BUILD)/CMakeCache.txt 2>/dev/null || $(CONFIGURE) $(BUILD) -DTK_TESTS=ON
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

sanitize:
	@scripts/install-deps.sh test
	@test -f $(SAN_BUILD)/build.ninja || cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTK_SANITIZE=ON
	cmake --build $(SAN_BUILD) -j $(JOBS)
	ctest --test-dir $(SAN_BUILD) --output-on-failure -j $(JOBS)

install: game
	cmake --install $(BUILD) --prefix $(PREFIX)

# The .deb lands in $(BUILD); lintian must find no error in it.
package: game
	@scripts/install-deps.sh package
	cd $(BUILD) && cpack -G DEB
	lintian --fail-on error $(BUILD)/tramolkulap_*.deb

# Each libFuzzer target for FUZZ_SECONDS (clang, in $(FUZZ_BUILD)); fails on any crash, leak or timeout.
fuzz:
	@scripts/install-deps.sh fuzz
	FUZZ_BUILD=$(FUZZ_BUILD) JOBS=$(JOBS) scripts/fuzz.sh $(FUZZ_SECONDS)

# $(BUILD) is optimised (RelWithDebInfo: -O2), as timings of a debug build would mislead.
# Configured again so that a Google Benchmark installed since is found.
bench:
	@scripts/install-deps.sh bench
	$(CONFIGURE) $(BUILD) -DTK_TESTS=ON
	cmake --build $(BUILD) -j $(JOBS)
	$(BUILD)/bench/tramolkulap-bench

# The game in a web page: $(WEB_BUILD)/site, built with Debian's emscripten, for any static web
# server; `make web-serve` serves it on http://127.0.0.1:8000/. Once the web set is installed,
# `make test` also checks the page in headless Chromium.
web:
	@scripts/install-deps.sh web
	scripts/build-web.sh $(WEB_BUILD)

web-serve: web
	/usr/bin/python3 scripts/serve-web.py $(WEB_BUILD)/site

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD) $(WEB_BUILD)
