# The whole set-up on a fresh machine: `make run` starts the editor, `make test` runs every test.
BUILD      := build
GENERATOR  := Ninja
CONFIGURE  := cmake -S . -B $(BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKERRY_WERROR=ON
# `make run` works on sample game data of our own making, with settings that point at it kept
# under build/, never in the user's own config.
SAMPLE     := $(CURDIR)/$(BUILD)/sample
RUN_CONFIG := $(CURDIR)/$(BUILD)/config

.PHONY: all deps configure build build-app run test bench package help-images clean

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
	@printf '[General]\nJed=%s\nJK=%s\nMOTS=%s\n' "$(SAMPLE)/jed/master.tpl" "$(SAMPLE)/jk/" \
		"$(SAMPLE)/mots/" > $(RUN_CONFIG)/Harrowmoor/SKERRY.conf
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		XDG_CONFIG_HOME=$(RUN_CONFIG) $(BUILD)/skerry; \
	else \
		echo "No display: rendering the windows to PNG files instead."; \
		XDG_CONFIG_HOME=$(RUN_CONFIG) QT_QPA_PLATFORM=offscreen $(BUILD)/skerry-shots $(BUILD)/screenshots; \
	fi

test: build
	@cd $(BUILD) && ctest --output-on-failure --timeout 120

bench: build
	@$(BUILD)/bench/skerry-bench

# A .deb of the editor, its help, the command line tool and the sample data.
package: build
	@cd $(BUILD) && cpack

# The help's pictures, taken by skerry-shots of the sample data (run after changing a window).
help-images: build
	@$(MAKE) --no-print-directory run DISPLAY= WAYLAND_DISPLAY= >/dev/null
	@cp $(filter-out %/Help.png,$(wildcard $(BUILD)/screenshots/*.png)) help/images/
	@echo "help/images/ updated"

clean:
	rm -rf $(BUILD)
