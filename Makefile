# Entry points: `make demo` runs the main job, `make test` builds and runs
# every test. Each target first installs the Debian packages the build needs.

JOBS ?= $(shell nproc)
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")
PACKAGES := cmake ninja-build g++ make pkg-config googletest libgtest-dev libgmock-dev \
            libbenchmark-dev libxml2-dev nlohmann-json3-dev libcli11-dev \
            libsqlite3-dev libpq-dev libpq5 postgresql libsimdjson-dev python3-jsonschema libmimalloc-dev \
            coinor-libcbc-dev coinor-libcbc3 libcpp-httplib-dev libxxhash-dev chromium
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps build test asan bench bench-e2e serve-load fuzz demo clean

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	command -v npm >/dev/null 2>&1 || missing="$$missing nodejs npm"; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

build: deps
	cmake -S . -B build -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build -j $(JOBS)

test: build
	ctest --test-dir build --output-on-failure -j $(JOBS)

asan: deps
	cmake -S . -B build-asan -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Debug -DBIWPLAN_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build-asan --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B build-bench -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Release -DBIWPLAN_TESTS=OFF -DBIWPLAN_BENCH=ON
	cmake --build build-bench -j $(JOBS)
	@for b in build-bench/bench/bench_*; do [ -x "$$b" ] && "$$b" --benchmark_min_time=0.2; done; true

# The verbs timed as a user runs them on generated bodies, against their
# floors in the same run; the table goes into docs/performance.md.
E2E_SIZES ?= 10000,50000,100000
E2E_RUNS ?= 5
bench-e2e: deps
	cmake -S . -B build-bench -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Release -DBIWPLAN_TESTS=OFF -DBIWPLAN_BENCH=ON
	cmake --build build-bench -j $(JOBS) --target biwplan bench_e2e
	build-bench/bench/bench_e2e build-bench/app/biwplan build-bench/e2e --sizes $(E2E_SIZES) --runs $(E2E_RUNS) \
	  --doc docs/performance.md

# The load check of `biwplan serve`: 20 tabs posting 1,000 events each to
# one server on 127.0.0.1; prints the event latency (docs/performance.md).
SERVE_TABS ?= 20
SERVE_EVENTS ?= 1000
serve-load: deps
	cmake -S . -B build-bench -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Release -DBIWPLAN_TESTS=OFF -DBIWPLAN_BENCH=ON
	cmake --build build-bench -j $(JOBS) --target biwplan serve_load
	nice -n 19 build-bench/bench/serve_load build-bench/app/biwplan build-bench/serve-load \
	  --tabs $(SERVE_TABS) --events $(SERVE_EVENTS)

# The readers' fuzzers (weld file, feature appearance file, document, bill
# of materials, journal), built with clang, each run FUZZ_SECONDS on its kept
# corpus of tests/fuzz with its dictionary when it has one (new finds go to
# build-fuzz/corpus). Undefined behaviour stops a run and saves its input, as
# a crash does.
FUZZ_SECONDS ?= 60
FUZZERS ?= weld_reader graphic_format document_reader bom_reader journal_reader
fuzz: deps
	@command -v clang++ >/dev/null 2>&1 || { $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq clang; }
	cmake -S . -B build-fuzz -G "$(GENERATOR)" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DBIWPLAN_TESTS=OFF -DBIWPLAN_FUZZ=ON \
	  "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
	cmake --build build-fuzz -j $(JOBS) --target $(addprefix fuzz_,$(FUZZERS))
	set -e; for fuzzer in $(FUZZERS); do \
	  mkdir -p build-fuzz/corpus/$$fuzzer; \
	  ./build-fuzz/fuzz/fuzz_$$fuzzer -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 \
	    -max_len=65536 -artifact_prefix=build-fuzz/ $$(test -f tests/fuzz/$$fuzzer.dict && echo -dict=tests/fuzz/$$fuzzer.dict) \
	    build-fuzz/corpus/$$fuzzer tests/fuzz/$$fuzzer; \
	done

demo: build
	./build/app/biwplan demo

clean:
	rm -rf build build-asan build-bench
