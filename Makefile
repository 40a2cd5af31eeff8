# Front door. Every target installs what is missing first (tools/bootstrap).
#   make run         build and start Moravel under Wine with the simulated device
#   make run-usb     the same with the device on this machine's USB port, through
#                    moravel-usb-bridge (README, "For Linux")
#   make test        build everything and run every test (the layer check, native, Win32 under
#                    Wine, short fuzz)
#   make dist        dist/Moravel.exe, dist/MoravelCmd.exe, dist/Quillet.dll (x86),
#                    dist/x64/Quillet.dll, help, the setup program
#                    dist/Moravel-Setup-<version>.exe, and in dist/a3/ the A3 family's
#                    program and command line, its QVPVX.DLL and its manual; each
#                    translation in dist/lang/<code>/ and dist/a3/lang/<code>/
#   make screenshot  PNGs of the windows into build/screenshots/, in English and in each
#                    translation (<code>-*.png)
#   make bench       benchmarks: device transfers, start-up under Wine, sizes of dist's files
#   make fuzz-long   every fuzz target for FUZZ_LONG_SECONDS (600) with its seeds and dictionary
#   make soak        200 download/upload cycles and dialogs in one process, its resources counted

BUILD   := build
JOBS    ?= $(shell nproc)
PREFIX  := $(BUILD)/wineprefix
WINEENV := tools/wine-env $(PREFIX)
FUZZ_SECONDS ?= 10

CMAKE_CFG = cmake -S . -DCMAKE_BUILD_TYPE=RelWithDebInfo -Wno-dev

.PHONY: all bootstrap native win64 win32 fuzz bench-native build run run-usb test test-native \
        test-win dist screenshot bench fuzz-test fuzz-long soak clean

all: build

bootstrap:
	@tools/bootstrap

native: bootstrap
	@test -f $(BUILD)/native/CMakeCache.txt || $(CMAKE_CFG) -B $(BUILD)/native >/dev/null
	@cmake --build $(BUILD)/native -j $(JOBS)

# The end-to-end test runs devsim from the native tree.
win64: bootstrap native
	@test -f $(BUILD)/win64/CMakeCache.txt || $(CMAKE_CFG) -B $(BUILD)/win64 \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	    -DMORAVEL_DEVSIM=$(abspath $(BUILD)/native/devsim/devsim) >/dev/null
	@cmake --build $(BUILD)/win64 -j $(JOBS)

win32: bootstrap
	@test -f $(BUILD)/win32/CMakeCache.txt || $(CMAKE_CFG) -B $(BUILD)/win32 \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DMORAVEL_QUILLET_ONLY=ON >/dev/null
	@cmake --build $(BUILD)/win32 -j $(JOBS)

fuzz: bootstrap
	@test -f $(BUILD)/fuzz/CMakeCache.txt || CC=clang CXX=clang++ $(CMAKE_CFG) -B $(BUILD)/fuzz \
	    -DMORAVEL_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
	@cmake --build $(BUILD)/fuzz -j $(JOBS)

# The benchmarks measure the program as it ships: optimised as the Windows builds are, without
# the sanitizers of the native test tree.
bench-native: bootstrap
	@test -f $(BUILD)/bench/CMakeCache.txt || $(CMAKE_CFG) -B $(BUILD)/bench \
	    -DMORAVEL_SANITIZE=OFF -DBUILD_TESTING=OFF >/dev/null
	@cmake --build $(BUILD)/bench -j $(JOBS) --target device_bench

build: native win64 win32 fuzz

test: build
	@echo "== layers: includes and calls point down, no circles"
	@tools/check-layers
	@tools/check-layers --calls $(BUILD)/win64
	@echo "== native tests"
	@cd $(BUILD)/native && ctest --output-on-failure -j $(JOBS)
	@echo "== Win32 tests under Wine"
	@$(WINEENV) sh -c 'cd $(BUILD)/win64 && ctest --output-on-failure -j $(JOBS) && \
	    cd ../win32 && ctest --output-on-failure'
	@echo "== fuzz targets ($(FUZZ_SECONDS) s each)"
	@tools/run-fuzz $(BUILD)/fuzz $(FUZZ_SECONDS)

soak: win64
	@$(WINEENV) wine $(BUILD)/win64/tests/app/soak.exe

run: win64
	@MORAVEL_DEVICE=$${MORAVEL_DEVICE:-sim} MORAVEL_KEEP_DISPLAY=1 \
	    $(WINEENV) wine $(BUILD)/win64/Moravel.exe

# The bridge serves the USB device on 127.0.0.1:9360 while Moravel runs, and stops with it.
run-usb: win64
	@$(BUILD)/native/bridge/moravel-usb-bridge & bridge=$$!; \
	    trap 'kill $$bridge 2>/dev/null' EXIT INT TERM; \
	    MORAVEL_DEVICE=tcp:127.0.0.1:9360 MORAVEL_KEEP_DISPLAY=1 \
	    $(WINEENV) wine $(BUILD)/win64/Moravel.exe

dist: win64 win32
	@rm -rf dist && mkdir -p dist/x64 dist/a3
	@cp $(BUILD)/win64/Moravel.exe $(BUILD)/win64/MoravelCmd.exe dist/
	@cp $(BUILD)/win64/a3/Moravel.exe $(BUILD)/win64/a3/MoravelCmd.exe $(BUILD)/win64/a3/QVPVX.DLL \
	    dist/a3/
	@cp resources/help/QVPVX.html dist/a3/A3SPVX.html
	@for code in de fr es it ja; do \
	    mkdir -p dist/lang/$$code dist/a3/lang/$$code; \
	    cp $(BUILD)/win64/lang/$$code/QVPVX.DLL resources/lang/$$code/QVPVX.html dist/lang/$$code/; \
	    cp $(BUILD)/win64/a3/lang/$$code/QVPVX.DLL dist/a3/lang/$$code/; \
	    cp resources/lang/$$code/QVPVX.html dist/a3/lang/$$code/A3SPVX.html; \
	    x86_64-w64-mingw32-strip dist/lang/$$code/QVPVX.DLL dist/a3/lang/$$code/QVPVX.DLL; \
	done
	@cp $(BUILD)/win32/quillet/Quillet.dll dist/
	@cp $(BUILD)/win64/quillet/Quillet.dll dist/x64/
	@cp resources/help/* dist/ 2>/dev/null || true
	@x86_64-w64-mingw32-strip dist/Moravel.exe dist/MoravelCmd.exe dist/x64/Quillet.dll \
	    dist/a3/Moravel.exe dist/a3/MoravelCmd.exe
	@i686-w64-mingw32-strip dist/Quillet.dll
	@makensis -V2 -WX -DMORAVEL_DIR=$(abspath dist) -DQUILLET_DLL=$(abspath dist/x64/Quillet.dll) \
	    -DOUTDIR=$(abspath dist) installer/Moravel.nsi
	@echo "dist/: $$(cd dist && find . -type f | sort | tr '\n' ' ')"

screenshot: win64
	@rm -rf $(BUILD)/screenshots && mkdir -p $(BUILD)/screenshots
	@$(WINEENV) tools/screenshots $(BUILD)/win64 $(BUILD)/screenshots
	@$(WINEENV) tools/screenshots $(BUILD)/win64 $(BUILD)/screenshots a3
	@for code in de fr es it ja; do \
	    $(WINEENV) tools/screenshots $(BUILD)/win64 $(BUILD)/screenshots $$code; \
	    $(WINEENV) tools/screenshots $(BUILD)/win64 $(BUILD)/screenshots a3 $$code; \
	done
	@ls $(BUILD)/screenshots

# Figures only: nothing here passes or fails on a time.
bench: bench-native win64 dist
	@for b in $(BUILD)/bench/bench/*; do [ -f "$$b" ] && [ -x "$$b" ] && "$$b"; echo; done; true
	@$(WINEENV) wine $(BUILD)/win64/bench/startup_bench.exe; echo
	@bench/dist-sizes dist

FUZZ_LONG_SECONDS ?= 600
fuzz-long:
	@$(MAKE) fuzz
	@tools/run-fuzz $(BUILD)/fuzz $(FUZZ_LONG_SECONDS)

clean:
	rm -rf $(BUILD) dist
