# Entry points for people: `make run` and `make test` set up everything they
# need (Debian packages, configure, build) and then start or test.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
BENCH_BUILD ?= build-bench
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: deps configure build run test sanitize bench screenshots package clean

deps:
	@bash tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/tallyo $(ARGS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DTALLYO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@cd $(SANITIZE_BUILD) && ctest --output-on-failure -j $(JOBS)

bench: deps
	@cmake -S . -B $(BENCH_BUILD) -DTALLYO_BENCH=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BENCH_BUILD) -j $(JOBS) --target tallyo_bench
	@$(BENCH_BUILD)/bench/tallyo_bench

screenshots: build
	@cmake --build $(BUILD) --target screenshots

# The Debian package (build/tallyo_VERSION_ARCH.deb), then lintian and the
# other package checks on it.
package: build
	@cd $(BUILD) && cpack -G DEB
	@cd $(BUILD) && ctest -R '^package_' --output-on-failure

clean:
	@rm -rf $(BUILD) $(SANITIZE_BUILD) $(BENCH_BUILD)
