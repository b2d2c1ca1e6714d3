# Thin wrapper over the CMake presets. `make run` and `make test` install the
# Debian packages the build needs (when run as root), configure and build
# what they need.

PRESET ?= $(if $(CI),ci,dev)
BUILD_DIR := build/$(PRESET)
PACKAGES := build-essential cmake ninja-build pkg-config libgtest-dev libgmock-dev \
            libbenchmark-dev libcli11-dev libfmt-dev qt6-base-dev qt6-svg-dev poppler-utils clang-format \
            python3-dev python3-numpy python3-pytest python3-pandas python3-dask \
            python3-distributed \
            clang libclang-rt-14-dev

.PHONY: all deps configure build test run bench asan format lint clean

all: build

deps:
	@missing=""; \
	for pkg in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$pkg 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$pkg"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing:$$missing"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	  else \
	    echo "Missing Debian packages:$$missing (run 'make deps' as root or install them)"; exit 1; \
	  fi; \
	fi

configure: deps
	cmake --preset $(PRESET)

build: configure
	cmake --build --preset $(PRESET)

test: build
	ctest --preset $(PRESET)

# Builds the program alone (no tests or benchmarks) and starts it; it needs
# a graphical desktop.
run: configure
	cmake --build --preset $(PRESET) --target vaporix
	$(BUILD_DIR)/app/vaporix

bench: deps
	cmake --preset release
	cmake --build --preset release
	build/release/bench/vaporix-bench
	@if [ -d build/release/python/vaporix ]; then /usr/bin/python3 bench/python_bench.py; fi

asan:
	$(MAKE) test PRESET=asan

format:
	git ls-files '*.h' '*.cpp' | xargs clang-format -i

# Fails when a source file differs from its clang-format form.
lint: deps
	git ls-files '*.h' '*.cpp' | xargs clang-format --dry-run --Werror

clean:
	rm -rf build
