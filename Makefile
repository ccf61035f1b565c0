# Entry points for people: `make run` and `make test` set up everything they
# need (Debian packages, configure, build) and then start or test.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: deps configure build run test sanitize fuzz bench screenshots package clean

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

# Each fuzz target for FUZZ_SECONDS seconds (clang's libFuzzer, with the
# address and undefined-behaviour sanitizers); an input that crashes or
# hangs is kept in fuzz/regressions/<target>/, which the tests replay.
fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTALLYO_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target tallyo_fuzz
	@bash fuzz/run.sh $(FUZZ_BUILD)/fuzz/tallyo_fuzz $(FUZZ_SECONDS) $(FUZZ_BUILD)/corpus

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
	@rm -rf $(BUILD) $(SANITIZE_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
