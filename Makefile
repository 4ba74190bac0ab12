# One way to build and test: this wraps CMake and ctest. Each tree is
# configured, built, tested and packed by its presets in CMakePresets.json
# (`cmake --list-presets`), so these targets give the same trees as
# `cmake --preset NAME` by hand, in the folders the presets name. Every target
# first installs whatever the machine is missing (tools/install-deps is quick
# when nothing is).

BUILD_DIR = build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build test run install clean

all: build

deps:
	@./tools/install-deps

configure: deps
	cmake --preset default $(CMAKE_FLAGS)

build: configure
	cmake --build --preset default -j $(JOBS)

test: build
	ctest --preset default -j $(JOBS)

run: build
	./$(BUILD_DIR)/qt/morvane

install: build
	cmake --install $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR)

# The position file reader under libFuzzer. FUZZ_SECONDS=600 make fuzz runs it for ten minutes.
FUZZ_DIR = build-fuzz
FUZZ_SECONDS ?= 60
.PHONY: fuzz
fuzz:
	@./tools/install-deps fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz
	mkdir -p $(FUZZ_DIR)/corpus
	$(FUZZ_DIR)/fuzz/fuzz_positionfile -max_total_time=$(FUZZ_SECONDS) -timeout=5 -rss_limit_mb=1024 \
	  -artifact_prefix=$(FUZZ_DIR)/ $(FUZZ_DIR)/corpus fuzz/seeds

# The whole project and its tests under AddressSanitizer (leak checking on)
# and UndefinedBehaviorSanitizer. The sanitizers' options (leaks checked, every
# report fatal, tools/sanitizer/lsan.supp) are the preset's environment.
.PHONY: sanitize
sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

# clang-tidy (.clang-tidy) and cppcheck over the program's own code, tests
# aside, as each system builds it. The sources are read, never built, with the
# compile commands of a tree configured for that system: build-lint for this
# host (the Qt front end, the benchmarks, the fuzz target) and
# build-lint-windows for the mingw-w64 cross-build, whose own sources (win32/
# and the *_win32.cpp files) this host's compiler cannot read. clang-tidy is
# nearly all of the time, so it takes one source at a time, $(JOBS) at once.
LINT_DIR ?= build-lint
LINT_WINDOWS_DIR ?= build-lint-windows
LINT_FOLDERS = game solve qt bench fuzz tools
LINT_SOURCES = $(filter-out %_win32.cpp,$(wildcard $(addsuffix /*.cpp,$(LINT_FOLDERS))))
LINT_WINDOWS_SOURCES = $(wildcard win32/*.cpp $(addsuffix /*_win32.cpp,$(LINT_FOLDERS)))
# cppcheck takes a second, so on Windows it also reads the rules and the
# solver, where a long has 32 bits.
LINT_WINDOWS_CPPCHECK_SOURCES = $(LINT_WINDOWS_SOURCES) \
  $(filter-out %_posix.cpp %_win32.cpp,$(wildcard game/*.cpp solve/*.cpp))
CPPCHECK = cppcheck --quiet --error-exitcode=1 --std=c++20 --language=c++ \
  --enable=warning,performance,portability --inline-suppr --suppress=missingIncludeSystem -I .
CPPCHECK_WINDOWS = --library=windows --platform=win64 -D_WIN32 -D_WIN64 -DUNICODE -D_UNICODE \
  -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0A00 -DWINVER=0x0A00
# Debian's clang does not find mingw-w64's C++ library by itself (its folder,
# 12-posix here, is not named as a version), so clang-tidy is given the
# folders the cross g++ reads; the rest of the Windows headers come from the
# sysroot. Read once lint-deps has installed that g++.
MINGW_CXX_INCLUDE = $(shell x86_64-w64-mingw32-g++-posix -print-file-name=include)/c++
TIDY_WINDOWS = --extra-arg=--target=x86_64-w64-mingw32 --extra-arg=--sysroot=/usr/x86_64-w64-mingw32 \
  --extra-arg=-isystem$(MINGW_CXX_INCLUDE) --extra-arg=-isystem$(MINGW_CXX_INCLUDE)/x86_64-w64-mingw32 \
  --extra-arg=-isystem$(MINGW_CXX_INCLUDE)/backward

.PHONY: lint lint-deps lint-linux lint-windows
lint: lint-linux lint-windows

lint-deps: deps
	@./tools/install-deps lint fuzz

lint-linux: lint-deps
	cmake --preset lint
	printf '%s\n' $(LINT_SOURCES) | xargs -P $(JOBS) -n 1 clang-tidy -p $(LINT_DIR) --quiet
	$(CPPCHECK) --library=qt $(LINT_SOURCES)

lint-windows: lint-deps
	cmake --preset lint-windows
	printf '%s\n' $(LINT_WINDOWS_SOURCES) | \
	  xargs -P $(JOBS) -n 1 clang-tidy -p $(LINT_WINDOWS_DIR) --quiet $(TIDY_WINDOWS)
	$(CPPCHECK) $(CPPCHECK_WINDOWS) $(LINT_WINDOWS_CPPCHECK_SOURCES)

# Every benchmark in one table, each figure beside a floor measured in the same run.
.PHONY: bench
# Where the Windows tree has been built (make windows), the game's start-up
# under Wine and the size of morvane.exe join the table; where the browser
# tree has (make web), the page's load in headless Chromium and a player's
# download.
bench: deps
	@windows_tree=; web_tree=; \
	if [ -f $(WINDOWS_DIR)/win32/morvane.exe ]; then \
	  cmake --preset windows -DMORVANE_BENCH=ON && \
	  cmake --build --preset windows -j $(JOBS) --target windows-bench && windows_tree=$(CURDIR)/$(WINDOWS_DIR) || exit 1; \
	fi; \
	if [ -f $(WEB_DIR)/site/index.html ]; then \
	  cmake --build --preset web -j $(JOBS) --target site && web_tree=$(CURDIR)/$(WEB_DIR) || exit 1; \
	fi; \
	cmake --preset bench -DMORVANE_WINDOWS_TREE=$$windows_tree -DMORVANE_WEB_TREE=$$web_tree
	cmake --build --preset bench -j $(JOBS)

# The Debian package: morvane_<version>_<arch>.deb in build-package/. Its tree is
# a Release build for /usr with the program in /usr/games, built with the
# compiler and linker flags Debian builds its own packages with, hardening
# included, and without the tests.
.PHONY: package
package: deps
	@./tools/install-deps package
	cmake --preset package
	cmake --build --preset package -j $(JOBS)
	cpack --preset package

# The Windows programs, cross-compiled with mingw-w64 into build-windows/:
# morvane.exe and morvane-solve.exe, each with no DLL beyond the system's.
WINDOWS_DIR = build-windows
.PHONY: windows
windows:
	@./tools/install-deps windows
	cmake --preset windows
	cmake --build --preset windows -j $(JOBS)

# The Windows tree's tests under Wine, in a prefix of its own
# (build-windows/wine, made on first use): the rules' and the solver's tests,
# the checks of the linked programs, and the real game driven on a private X
# server. Serial: the tests share one wineserver and the machine's two cores.
.PHONY: windows-test
windows-test: windows
	ctest --preset windows

# The Windows installer and the portable zip, from the programs `make windows`
# builds: Morvane-<version>-win64-setup.exe and Morvane-<version>-win64.zip in
# build-windows/. tests/check-windows-package.sh installs, plays and removes
# them under Wine.
.PHONY: windows-package
windows-package: windows
	cpack --preset windows

# The game in the browser, built with Debian's emscripten: a static site in
# build-web/site/ (the page, the game's module, the banners and the icons)
# that any file server can serve. Its test plays the page in a real headless
# Chromium; web-serve serves it on this machine.
WEB_DIR = build-web
WEB_PORT ?= 8000
.PHONY: web web-test web-serve
web:
	@./tools/install-deps web
	cmake --preset web
	cmake --build --preset web -j $(JOBS)

web-test: web
	ctest --preset web

web-serve: web
	/usr/bin/python3 tools/serve_site.py $(WEB_DIR)/site $(WEB_PORT)
