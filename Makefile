# The whole set-up on a fresh machine: `make run` starts the editor, `make test` runs every test.
BUILD      := build
GENERATOR  := Ninja
# The core tests and the fuzz replays once more under AddressSanitizer and
# UndefinedBehaviorSanitizer, in a build of their own that compiles the core but no windows.
SAN_BUILD  := $(BUILD)/sanitized
CONFIGURE  := cmake -S . -B $(BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKERRY_WERROR=ON \
              -DSKERRY_SANITIZED_BUILD=$(CURDIR)/$(SAN_BUILD)
SANITIZE   := -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g1
# `make fuzz` builds the libFuzzer programs with clang and runs each for FUZZ_SECONDS.
FUZZ_BUILD := build-fuzz
FUZZ_SECONDS ?= 60
# `make run` works on sample game data of our own making, with settings that point at it kept
# under build/, never in the user's own config.
SAMPLE     := $(CURDIR)/$(BUILD)/sample
RUN_CONFIG := $(CURDIR)/$(BUILD)/config
# Tests run in parallel, one per core.
JOBS       := $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build build-app run test format-check sanitized fuzz bench package help-images \
        windows windows-test clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@$(CONFIGURE) >/dev/null

build: configure
	@cmake --build $(BUILD)

# Only what the editor needs, so the first `make run` does not wait for the tests to build.
build-app: configure
	@cmake --build $(BUILD) --target skerry skerry-cli skerry-shots

run: build-app
	@$(BUILD)/skerry-cli sample $(SAMPLE)
	@mkdir -p $(RUN_CONFIG)/Harrowmoor
	@# The three paths point at the sample data afresh; what the editor keeps of its own
	@# (window places, recent templates) stays from one run to the next.
	@conf=$(RUN_CONFIG)/Harrowmoor/SKERRY.conf; touch $$conf; \
		{ printf '[General]\nJed=%s\nJK=%s\nMOTS=%s\n' "$(SAMPLE)/jed/master.tpl" \
			"$(SAMPLE)/jk/" "$(SAMPLE)/mots/"; \
		  awk '/^\[/ { keep = ($$0 != "[General]") } keep' $$conf; } > $$conf.new && \
		mv $$conf.new $$conf
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		XDG_CONFIG_HOME=$(RUN_CONFIG) $(BUILD)/skerry; \
	else \
		echo "No display: rendering the windows to PNG files instead."; \
		XDG_CONFIG_HOME=$(RUN_CONFIG) QT_QPA_PLATFORM=offscreen $(BUILD)/skerry-shots $(BUILD)/screenshots; \
	fi

# Every C++ file as .clang-format lays it out; a difference fails, naming the file and line.
format-check: deps
	@find src cli tests bench fuzz -name '*.cpp' -o -name '*.hpp' | grep -v '^fuzz/seeds/' | \
		xargs clang-format --dry-run --Werror

sanitized: configure
	@cmake -S . -B $(SAN_BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE= -DSKERRY_WERROR=ON \
		"-DCMAKE_CXX_FLAGS=$(SANITIZE)" >/dev/null
	@cmake --build $(SAN_BUILD) --target skerry_core_tests fuzz_replays

test: format-check build sanitized
	@cd $(BUILD) && ctest --output-on-failure --timeout 120 -j $(JOBS)

fuzz:
	@scripts/install-deps fuzz
	@cmake -S . -B $(FUZZ_BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_COMPILER=clang++ -DSKERRY_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) --target fuzzers
	@fuzz/run-fuzzers $(FUZZ_BUILD)/fuzz $(FUZZ_SECONDS)

bench: build
	@scripts/install-deps bench
	@$(BUILD)/bench/skerry-bench

# A .deb of the editor, its help, the command line tool and the sample data.
package: build
	@cd $(BUILD) && cpack

# The help's pictures, taken by skerry-shots of the sample data (run after changing a window).
# The pictures of a real model and a real colormap stay out: the help shows our own data only.
help-images: build
	@$(MAKE) --no-print-directory run DISPLAY= WAYLAND_DISPLAY= >/dev/null
	@cp $(filter-out %/Help.png %/TRes-realmodel.png %/NewTexture-realcmp.png,$(wildcard $(BUILD)/screenshots/*.png)) \
		help/images/
	@echo "help/images/ updated"

# Skerry for Windows: skerry.exe, skerry-cli.exe and the core tests cross-compiled with
# MinGW-w64, and build-windows/skerry-VERSION-win64.zip. The first run builds Qt for Windows
# into ~/.cache/skerry (40 to 50 minutes on 2 cores); later runs reuse it. Not part of `make
# test`: that build takes longer than CI allows.
windows:
	@scripts/build-windows

# The Windows build under Wine (on Xvfb when there is no display): the core tests, the
# command-line tests, the editor with its settings in the registry, and screenshots.
windows-test: windows
	@scripts/test-windows

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD) build-windows
