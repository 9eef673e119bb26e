# The two commands of the README, `make run` and `make test`, and `make package`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
# zlib, libcsv and muParser build the core; ccache keeps rebuilds short; librsvg2-bin renders
# the icon; file and dpkg-dev let CPack find the package's library dependencies;
# help2man makes the manual page; desktop-file-utils, xvfb, x11-utils, lintian, appstream and
# groff-base serve the package test.
PACKAGES   := cmake g++ make ccache qt6-base-dev libqt6sql6-sqlite zlib1g-dev libcsv-dev \
              libmuparser-dev fonts-wine xvfb xauth librsvg2-bin file dpkg-dev desktop-file-utils \
              x11-utils help2man lintian appstream groff-base
SUDO       := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
DEMO       := $(BUILD)/demo/valdric-demo.smc

.PHONY: all deps build build-editor build-asan run test test-asan bench format demo package

all: build

# Installs only the Debian packages that are missing.
deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

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

# build/valdric-editor_1.0_amd64.deb
package: build
	cmake --build $(BUILD) --target package

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/valdric-bench

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')
