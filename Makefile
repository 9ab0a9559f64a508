# The whole set-up on a fresh machine: `make run` starts the editor, `make test` runs every test.
BUILD      := build
GENERATOR  := Ninja
CONFIGURE  := cmake -S . -B $(BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKERRY_WERROR=ON
# The editor's settings for `make run` live under build/, never in the user's own config.
RUN_CONFIG := $(CURDIR)/$(BUILD)/config

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@$(CONFIGURE) >/dev/null

build: configure
	@cmake --build $(BUILD)

run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		XDG_CONFIG_HOME=$(RUN_CONFIG) $(BUILD)/skerry; \
	else \
		echo "No display: rendering the windows to PNG files instead."; \
		XDG_CONFIG_HOME=$(RUN_CONFIG) QT_QPA_PLATFORM=offscreen $(BUILD)/skerry-shots $(BUILD)/screenshots; \
	fi

test: build
	@cd $(BUILD) && ctest --output-on-failure

bench: build
	@$(BUILD)/bench/skerry-bench --benchmark_counters_tabular=true

clean:
	rm -rf $(BUILD)
