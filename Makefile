# The two commands of README.md: `make run` and `make test`.
BUILD ?= build
TYPE ?= RelWithDebInfo

.PHONY: all deps build run test clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(TYPE)
	cmake --build $(BUILD)

run: build
	scripts/run.sh $(BUILD)

test: build
	scripts/run-tests.sh $(BUILD)

clean:
	rm -rf $(BUILD)
