# The two commands of README.md: `make run` and `make test`.
BUILD ?= build
TYPE ?= RelWithDebInfo

.PHONY: all deps test-deps package-deps configure build program run test guide package clean

all: build

deps:
	@scripts/install-deps.sh

# The tests also print the exported workbooks with LibreOffice.
test-deps:
	@scripts/install-deps.sh --test

package-deps:
	@scripts/install-deps.sh --package

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(TYPE)

build: configure
	cmake --build $(BUILD)

# Only what starting needs: the program and the tool that creates its database.
program: configure
	cmake --build $(BUILD) --target costdesk costdesk-admin

# Without a display there is nothing to show, so say so before building.
run:
	@scripts/run.sh --check-display
	@$(MAKE) --no-print-directory program
	scripts/run.sh $(BUILD)

test: test-deps build
	scripts/run-tests.sh $(BUILD)

# The Thai user guide, $(BUILD)/guide/คู่มือการใช้งาน.html and .pdf, with
# pandoc and WeasyPrint (installed as the package's tools are).
guide: package-deps configure
	cmake --build $(BUILD) --target guide

# The Debian package, $(BUILD)/costdesk_<version>_amd64.deb, made by CPack from
# the two programs and the user guide as built here.
package: package-deps configure
	cmake --build $(BUILD) --target costdesk costdesk-admin guide costdesk_package_files
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
