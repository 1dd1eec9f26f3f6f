# make test: install what is missing, build both trees, run every test, check the formatting.
# make play: install what is missing, build, start the game.
# make server: the maker's server (feedback relay and update files) on PORT.
# make publish: the Windows build as an update that make server serves (UPDATE_KEY signs it).
# make dist: the Windows build as an installer and a portable zip, in build/dist.
JOBS ?= $(shell nproc)
NATIVE := build/native
WIN := build/win

.PHONY: all bootstrap native win test test-native test-win check-format play play-second demo sim bench fuzz server publish dist clean

all: native win

bootstrap:
	@sh tools/bootstrap.sh

$(NATIVE)/CMakeCache.txt:
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

$(WIN)/CMakeCache.txt:
	cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null

native: bootstrap $(NATIVE)/CMakeCache.txt
	cmake --build $(NATIVE) -j $(JOBS)

win: bootstrap $(WIN)/CMakeCache.txt
	cmake --build $(WIN) -j $(JOBS)

test-native: native
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

# The update wizard's Windows test publishes its update with the native tree's publisher.
test-win: win $(NATIVE)/CMakeCache.txt
	cmake --build $(NATIVE) -j $(JOBS) --target quillon-publish
	cd $(WIN) && ctest --output-on-failure

# Every C and C++ source as .clang-format lays it out; tools/check_format.sh --fix repairs.
check-format: bootstrap
	sh tools/check_format.sh

test: test-native test-win check-format

sim: native
	$(NATIVE)/tools/quillon-sim --level 50 --games 2000

bench: bootstrap
	cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DQUILLON_SANITIZE=OFF >/dev/null
	cmake --build build/bench -j $(JOBS) --target quillon_bench quillon-sim
	build/bench/bench/quillon_bench
	build/bench/tools/quillon-sim --level 50 --games 20000 --seed 1

# Fuzzes each parser of outside input for FUZZ_SECONDS (clang's libFuzzer), starting from its
# committed corpus; new inputs land in build/fuzz/corpus/<target> (merge the useful ones back).
FUZZ_SECONDS ?= 120
FUZZ_TARGETS := lan descriptor container
fuzz: bootstrap
	cmake -S . -B build/fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQUILLON_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build build/fuzz -j $(JOBS)
	for t in $(FUZZ_TARGETS); do \
		mkdir -p build/fuzz/corpus/$$t && \
		build/fuzz/tests/fuzz/$${t}_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
			build/fuzz/corpus/$$t tests/fuzz/corpus/$$t || exit 1; \
	done

play: win
	sh tools/play.sh $(WIN)/bin/Quillon.exe

# A second copy from a folder of its own (its own profile and pictures), for a network game
# against the first one on the same machine: host in one, connect to 127.0.0.1 in the other.
play-second: win
	mkdir -p build/play/second
	cp $(WIN)/bin/Quillon.exe $(WIN)/bin/quillon.chm build/play/second/
	sh tools/play.sh build/play/second/Quillon.exe

demo: native
	$(NATIVE)/tools/quillon-sim --demo --level 50

# Feedback lands in build/server/feedback.db; files put in build/server/updates are served below
# /updates/ (the update descriptor as /updates/quillon_2.xml). SERVER_ARGS='--status 500' fails
# every feedback request.
PORT ?= 8080
SERVER := build/server
server:
	mkdir -p $(SERVER)/updates
	python3 tools/server/quillon_server.py --port $(PORT) --db $(SERVER)/feedback.db \
		--updates $(SERVER)/updates $(SERVER_ARGS)

# The current Windows build (Quillon.exe, its help, VyxIUpdate.dll and zlib) compressed into
# $(SERVER)/updates/files/ with the signed descriptor $(SERVER)/updates/quillon_2.xml, for
# make server on PORT. The development key signs unless UPDATE_KEY names the maker's own.
UPDATE_KEY ?= packaging/dev_update_key.pem
publish: native win
	$(NATIVE)/tools/publish/quillon-publish --manifest tools/publish/quillon.manifest \
		--input $(WIN)/bin --output $(SERVER)/updates --key $(UPDATE_KEY) \
		--base-url http://127.0.0.1:$(PORT)/updates/

# The installer Quillon-Setup-<version>.exe (packaging/quillon.nsi, made with NSIS) and the
# portable zip, built in $(WIN)/dist and copied alone into $(DIST).
DIST := build/dist
dist: win
	cmake --build $(WIN) -j $(JOBS) --target quillon_dist
	rm -rf $(DIST)
	mkdir -p $(DIST)
	cp $(WIN)/dist/* $(DIST)/

clean:
	rm -rf build
