# The two commands of the README, `make run` and `make test`, and `make package`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
# zlib, libcsv, muParser and SQLite's header build the core; Qt Charts draws the table
# window's chart; ccache keeps rebuilds short; librsvg2-bin renders the icon; file and
# dpkg-dev let CPack find the package's library dependencies; help2man makes the manual
# page; desktop-file-utils, xvfb, x11-utils, lintian, appstream and groff-base serve the
# package test; python3 runs make mutants.
PACKAGES   := cmake g++ make ccache qt6-base-dev qt6-charts-dev libqt6sql6-sqlite libsqlite3-dev \
              zlib1g-dev libcsv-dev libmuparser-dev fonts-wine xvfb xauth librsvg2-bin file dpkg-dev \
              desktop-file-utils x11-utils help2man lintian appstream groff-base python3
# `make fuzz` only: Debian's clang and the libFuzzer of the same version.
FUZZ_PACKAGES := clang libfuzzer-14-dev
FUZZ_BUILD    ?= build-fuzz
FUZZ_SECONDS  ?= 60
FUZZ_TARGETS  ?=
FUZZ_TIMEOUT  ?= 1
SUDO       := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
DEMO       := $(BUILD)/demo/valdric-demo.smc

.PHONY: all deps fuzz-deps build build-editor build-asan run test test-asan bench format demo \
        package fuzz mutants

all: build

# Installs only the Debian packages of the list that are missing.
define install-missing
	@missing=""; for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi
endef

deps:
	$(call install-missing,$(PACKAGES))

fuzz-deps:
	$(call install-missing,$(FUZZ_PACKAGES))

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# What `make run` needs: the editor, its data file and the demo image's generator.
build-editor: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target valdric-editor make-demo-rom

$(ASAN_BUILD)/CMakeCache.txt:
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVALDRIC_SANITIZE=ON

build-asan: deps $(ASAN_BUILD)/CMakeCache.txt
	cmake --build $(ASAN_BUILD) -j $(JOBS)

demo: build-editor
	@[ -f $(DEMO) ] || $(BUILD)/make-demo-rom $(DEMO)

run: build-editor demo
	$(BUILD)/valdric-editor

test: build build-asan
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

# Every fuzz target (tools/fuzz) for FUZZ_SECONDS each (or those named in FUZZ_TARGETS), from
# a clang build of the core instrumented for libFuzzer, ASan and UBSan.
$(FUZZ_BUILD)/CMakeCache.txt:
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DBUILD_TESTING=OFF -DVALDRIC_FUZZ=ON

fuzz: deps fuzz-deps $(FUZZ_BUILD)/CMakeCache.txt
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz-targets
	FUZZ_TIMEOUT=$(FUZZ_TIMEOUT) tools/fuzz/run-fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# build/valdric-editor_1.0_amd64.deb
package: build
	cmake --build $(BUILD) --target package

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/valdric-bench

# Plants each fault of tests/mutants.json in a scratch copy (build-mutants/) and runs the
# tests that can see it; ONLY=id,id runs those faults only.
mutants: deps
	nice -n 10 python3 tools/mutants.py $(if $(ONLY),--only $(ONLY))

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')
