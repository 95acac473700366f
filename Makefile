# The set-up commands: `make test` (everything CI runs), `make run` (the window) and
# `make demo` (the batch of the samples, offline, into out/newfile.csv). Build trees: build/
# (warnings as errors), build-asan/ (ASan + UBSan), build-fuzz/.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= 2
FUZZ_SECONDS ?= 600
CMAKE      := cmake -G Ninja -Wno-dev

.PHONY: deps build run demo screenshot test test-main test-asan bench fuzz format clean

deps:
	@tools/install-deps build test

build: deps
	@$(CMAKE) -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXA2_WERROR=ON >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

RUN_DIR ?= out

# The window, working in RUN_DIR (where newfile.csv and the "Run One" answer go), with the
# sample geography list there so that "Run" finds its default "geo_irvinesd.txt".
run:
	@tools/install-deps build app
	@$(CMAKE) -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXA2_WERROR=ON >/dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target vexa2
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
	  echo "make run: no display to open the window on (on a machine without one: xvfb-run make run)" >&2; \
	  exit 1; fi
	@mkdir -p $(RUN_DIR)
	@[ -e $(RUN_DIR)/geo_irvinesd.txt ] || cp samples/geo_irvinesd.txt $(RUN_DIR)/
	cd $(RUN_DIR) && $(abspath $(BUILD))/app/vexa2

# The sample geographies with the default items, answered from samples/cache without the
# network; the CSV output lands in out/ (RUN_DIR).
demo: build
	@mkdir -p $(RUN_DIR)
	cd $(RUN_DIR) && $(abspath $(BUILD))/cli/vexa2-cli run --geo-list $(CURDIR)/samples/geo_irvinesd.txt \
	  --cache $(CURDIR)/samples/cache --offline
	@echo "wrote $(RUN_DIR)/newfile.csv"

# A picture of the window as it opens, taken on a virtual X display, into docs/window.png.
screenshot:
	@tools/install-deps build app screenshot
	@$(CMAKE) -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXA2_WERROR=ON >/dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target vexa2
	tools/window-screenshot $(BUILD)/app/vexa2 docs/window.png

test: test-main test-asan

test-main: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

test-asan: deps
	@$(CMAKE) -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVEXA2_WERROR=ON -DVEXA2_SANITIZE=ON \
	  -DVEXA2_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_BUILD) -j$(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j$(JOBS)

bench: build
	$(BUILD)/bench/container_bench
	$(BUILD)/bench/batch_rate

# Every fuzz target for FUZZ_SECONDS, starting from its stored inputs; new inputs collect in the
# fuzz tree, failing ones there too (keep them under tests/fuzz/corpus as regression inputs).
fuzz:
	@tools/install-deps build fuzz
	@CXX=clang++ $(CMAKE) -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXA2_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j$(JOBS)
	@for target in $(FUZZ_BUILD)/tests/fuzz/fuzz_*; do \
	  name=$$(basename $$target); work=$(FUZZ_BUILD)/corpus/$$name; mkdir -p $$work; \
	  echo "== $$name ($(FUZZ_SECONDS) s)"; \
	  $$target -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_BUILD)/ $$work tests/fuzz/corpus/$${name#fuzz_} || exit 1; \
	done

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
