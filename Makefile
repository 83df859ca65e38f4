# Entry points. `make run` and `make test` work on a fresh Debian machine:
# both install what the build needs first.
JOBS ?= $(shell nproc)
DEMO_CARD ?= build/demo-card
FUZZ_SECONDS ?= 60
PREFIX ?= /usr/local

.PHONY: all deps build install deb run demo-card screenshots test test-dev test-asan bench fuzz format format-check clean

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake --preset dev >/dev/null
	cmake --build --preset dev -j $(JOBS)

# Installs into $(DESTDIR)$(PREFIX): programs in bin, data in share/korvane.
install: build
	DESTDIR=$(DESTDIR) cmake --install build/dev --prefix $(PREFIX)

# build/korvane_<version>_<arch>.deb, made from the dev build.
deb: build
	cd build/dev && cpack -G DEB

run: build demo-card
	build/dev/korvane $(DEMO_CARD)

demo-card: build
	@rm -rf $(DEMO_CARD)
	build/dev/korvane-cli make-sample-card $(DEMO_CARD) --normals 5 --hard-brake
	@echo
	build/dev/korvane-cli scan $(DEMO_CARD)

# Screenshots of the window on the demo card, for the README.
screenshots: build demo-card
	@bash scripts/make-screenshots.sh build/dev $(DEMO_CARD) docs

test: deps test-dev test-asan

test-dev: build
	ctest --preset dev -j $(JOBS)

test-asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset asan -j $(JOBS)

bench: deps
	cmake --preset release -DKORVANE_BENCH=ON >/dev/null
	cmake --build --preset release -j $(JOBS)
	@bash scripts/run-benchmarks.sh build/release

fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)
	@bash scripts/run-fuzzers.sh build/fuzz $(FUZZ_SECONDS)

# Every C++ source is kept in the .clang-format style; CI checks it.
SOURCES = $(shell git ls-files '*.cpp' '*.h')

format: deps
	@clang-format -i $(SOURCES)

format-check: deps
	@clang-format --dry-run --Werror $(SOURCES) && echo "clang-format: all sources formatted"

clean:
	rm -rf build
