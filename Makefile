# The two commands: `make run` and `make test`. Both install what is missing first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
PACKAGE_BUILD ?= build-package
FUZZ_SECONDS ?= 30
BENCH_REPETITIONS ?= 5
CMAKE_FLAGS ?=
# The Windows program, cross-built with mingw-w64 against a Qt for Windows
# unpacked from QT_MINGW_ARCHIVE into the build folder, and tested under Wine.
WIN_BUILD ?= build-win
QT_MINGW_ARCHIVE ?= ../shared/toolchains/qt6.4.2-mingw64.tar.xz
QT_MINGW ?= $(WIN_BUILD)/qt6-mingw

.PHONY: all deps build run test test-unit test-sanitize test-fuzz bench tidy package check-package clean windows test-windows

all: build

deps:
	@bash scripts/install-deps.sh all

# The program, the companion and every test; the benchmarks come with `make bench`.
build: deps
	@cmake -S . -B $(BUILD) -G Ninja -DTAVO_TESTS=ON -DTAVO_BENCHMARKS=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD)

# Only what running needs (the program, the companion and the help), so a first run is quick.
run:
	@bash scripts/install-deps.sh run
	@cmake -S . -B $(BUILD) -G Ninja -DTAVO_TESTS=OFF -DTAVO_BENCHMARKS=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) --target program
	@bash scripts/run.sh $(BUILD)

test: test-unit test-sanitize test-fuzz

test-unit: build
	ctest --test-dir $(BUILD) --output-on-failure

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
# use_tls=0: GCC 12's LeakSanitizer crashes scanning the dynamic TLS that Qt's
# plugins leave behind ("Tracer caught signal 11"), so it does not scan TLS.
test-sanitize: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVO_SANITIZE=ON -DTAVO_BENCHMARKS=OFF >/dev/null
	@cmake --build $(ASAN_BUILD)
	ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:use_tls=0:print_suppressions=0 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure

# A short, fixed-time libFuzzer run over loading a result text.
test-fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DTAVO_GUI=OFF -DTAVO_FUZZ=ON -DTAVO_BENCHMARKS=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) --target fuzzers
	bash scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

windows: build
	@bash scripts/install-deps.sh --windows
	@bash scripts/windows.sh build "$(WIN_BUILD)" "$(QT_MINGW)" "$(QT_MINGW_ARCHIVE)"

test-windows: windows
	@bash scripts/windows.sh test "$(WIN_BUILD)" "$(QT_MINGW)" "$(QT_MINGW_ARCHIVE)"

# Every benchmark program, its repetitions interleaved at random so that a
# figure and its reference alternate, then one table of the goals.
bench: deps
	@cmake -S . -B $(BUILD) -G Ninja -DTAVO_TESTS=ON -DTAVO_BENCHMARKS=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD)
	@rm -rf $(BUILD)/bench-results && mkdir -p $(BUILD)/bench-results
	@for b in $(BUILD)/bench/*; do \
	  [ -x "$$b" ] || continue; \
	  "$$b" --benchmark_repetitions=$(BENCH_REPETITIONS) --benchmark_enable_random_interleaving=true \
	    --benchmark_report_aggregates_only=true \
	    --benchmark_out=$(BUILD)/bench-results/$$(basename "$$b").json --benchmark_out_format=json || exit 1; \
	done
	@python3 scripts/bench_summary.py $(BUILD)/bench-results

# The checks of .clang-tidy over the program's sources, any finding an error
# (clang-tidy from Debian's clang-tidy package; slow, so not in `make test`).
TIDY_FOLDERS = app|cli|display|export|files|geometry|platform|profile|render|resultfile|text
tidy: build
	@run-clang-tidy -p $(BUILD) -quiet -warnings-as-errors='*' '^$(CURDIR)/($(TIDY_FOLDERS))/'

# A .deb for Debian 12 (release build, stripped, installed under /usr).
package:
	@bash scripts/install-deps.sh package
	@cmake -S . -B $(PACKAGE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	  -DTAVO_TESTS=OFF -DTAVO_BENCHMARKS=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(PACKAGE_BUILD)
	@cd $(PACKAGE_BUILD) && cpack -G DEB | tail -n 1

# Installs the .deb in a fresh Debian 12 root and runs it there as a normal
# user (needs root and the network to Debian's mirrors; slow, so not in `make test`).
check-package: package
	@bash scripts/check-package-in-clean-root.sh $(PACKAGE_BUILD)/tavo12f_*.deb

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(PACKAGE_BUILD) $(WIN_BUILD)
