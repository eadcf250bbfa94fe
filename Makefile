# make run: install what building and running need, build, start the program.
# make test: also install the servers and tools the tests use (no system service left running), build, run every test.
BUILD ?= build
JOBS ?= $(shell nproc)
# ON makes every warning an error (CI).
WERROR ?= OFF

.PHONY: all deps deps-test deps-bench configure build run test bench clean paket test-sanitize test-tsan fuzz

all: build

deps:
	@bash tools/einrichten.sh

deps-test:
	@bash tools/einrichten.sh --test

deps-bench:
	@bash tools/einrichten.sh --bench

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEMBROLA_WERROR=$(WERROR) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "Keine Anzeige gefunden: Zembrola startet unter xvfb-run."; \
	  xvfb-run -a -s "-screen 0 1600x1000x24" $(BUILD)/bin/zembrola; \
	else \
	  $(BUILD)/bin/zembrola; \
	fi

test: deps-test build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
SANBUILD ?= build-sanitize
test-sanitize: deps-test
	@cmake -S . -B $(SANBUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEMBROLA_SANITIZE=ON >/dev/null
	@cmake --build $(SANBUILD) -j $(JOBS)
	@cd $(SANBUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:fast_unwind_on_malloc=0 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/fuzz/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

# The tests of the walk's read-ahead threads and of the network backend on the test LAN (its
# address book and the share readers' helper pool are used from several threads; without root it
# skips) again, built with ThreadSanitizer. The LAN tests also run zembrola-liste.
TSANBUILD ?= build-tsan
TSAN_TESTS = logik_listing_vorlesen_test logik_listing_lauf_test logik_netz_lan_test logik_netz_smb_test logik_plattform_linux_test
test-tsan: deps-test
	@cmake -S . -B $(TSANBUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEMBROLA_TSAN=ON >/dev/null
	@cmake --build $(TSANBUILD) -j $(JOBS) --target $(TSAN_TESTS) zembrola-liste
	@cd $(TSANBUILD) && TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
	  ctest --output-on-failure -R '^($(subst $(eval) ,|,$(TSAN_TESTS)))$$'

# Each fuzz target for FUZZ_SEKUNDEN seconds, built with clang and libFuzzer. New inputs collect in
# the build directory; fuzz/korpus/<target>/ holds the seeds and every crasher found so far.
FUZZBUILD ?= build-fuzz
FUZZ_SEKUNDEN ?= 60
# 0 lets libFuzzer pick a seed; CI fixes one, so a run there repeats a sequence checked here.
FUZZ_SEED ?= 0
FUZZ_ZIELE = einstellungen maske zeilenformat rtf netbios mdns wsd
fuzz:
	@bash tools/einrichten.sh --fuzz
	@CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZBUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEMBROLA_FUZZ=ON >/dev/null
	@cmake --build $(FUZZBUILD) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_ZIELE)) >$(FUZZBUILD)/bau.log 2>&1 \
	  || { tail -n 40 $(FUZZBUILD)/bau.log; exit 1; }
	@for z in $(FUZZ_ZIELE); do \
	  mkdir -p $(FUZZBUILD)/korpus/$$z $(FUZZBUILD)/funde/$$z; \
	  echo "== fuzz_$$z: $(FUZZ_SEKUNDEN) s"; \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 $(FUZZBUILD)/bin/fuzz_$$z -max_total_time=$(FUZZ_SEKUNDEN) -seed=$(FUZZ_SEED) \
	    -timeout=10 -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 \
	    -artifact_prefix=$(FUZZBUILD)/funde/$$z/ $(FUZZBUILD)/korpus/$$z fuzz/korpus/$$z 2>$(FUZZBUILD)/fuzz_$$z.log \
	  || { tail -n 60 $(FUZZBUILD)/fuzz_$$z.log; echo "fuzz_$$z: Fund in $(FUZZBUILD)/funde/$$z/"; exit 1; }; \
	  grep -E "stat::number_of_executed_units|stat::peak_rss_mb|Done [0-9]+ runs" $(FUZZBUILD)/fuzz_$$z.log; \
	done

# The Debian package zembrola_3.1-1_amd64.deb in the build folder (CPack, stripped binaries).
paket: build
	@cd $(BUILD) && cpack -G DEB

bench: deps-bench build
	@bash bench/run
	@bash bench/export

clean:
	@rm -rf $(BUILD)
