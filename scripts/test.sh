#!/usr/bin/env bash
# Installs what is missing, builds everything with the address and undefined-behaviour
# sanitizers (the benchmarks too, so that they keep compiling; they are not run), runs
# every test under ctest on Qt's offscreen platform, then checks the install: the tree
# staged by `cmake --install` and the Debian package made by CPack must each run
# pkg-host and load the module, and the English translations, from their own folders.
# Last, each fuzz target runs for 30 seconds (scripts/fuzz.sh, a clang build of its own).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${BUILD_DIR:-build-test}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DENABLE_SANITIZERS=ON \
  -DBUILD_TESTING=ON -DBUILD_BENCHMARKS=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
# Leak detection on: a test that leaks fails. ctest gives every test the suppressions of
# scripts/lsan.supp, each of which names code outside the project and says why.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# pkg-host --lang en in an installed tree: the program's and the host library's texts
# come from their translations under share/, and the module's language file lies beside it.
check_english() {
  local root=$1 out
  out=$("$root/bin/pkg-host" --lang en --check-module)
  grep -q "every export found" <<<"$out" || { echo "Sem tradução do programa em $root" >&2; return 1; }
  out=$("$root/bin/pkg-host" --lang en --check-module --module "$root/nao-existe.so" 2>&1 || true)
  grep -q "Could not load the module" <<<"$out" || { echo "Sem tradução da biblioteca em $root" >&2; return 1; }
  [ -n "$(find "$root" -name PKG_CMP04702_en.qm)" ] || { echo "Sem tradução do módulo em $root" >&2; return 1; }
}

# pkg-appserver in an installed tree on a new SQLite file: a request that asks for English
# gets its message in English, from the server's language files under share/.
check_server_english() {
  local root=$1 log="$scratch/pkg-appserver.log" port="" answer pid
  "$root/bin/pkg-appserver" --database "$scratch/idiomas-$(basename "$root").db" --listen 127.0.0.1:0 \
    >"$log" 2>&1 &
  pid=$!
  for _ in $(seq 100); do
    port=$(sed -n 's/^pkg-appserver escutando em http:\/\/127\.0\.0\.1:\([0-9]*\).*/\1/p' "$log")
    [ -n "$port" ] && break
    sleep 0.2
  done
  answer=$(curl -s -H 'Accept-Language: en' "http://127.0.0.1:$port/api/v1/nada" | tr -d '\000' || true)
  kill "$pid"; wait "$pid" || true
  grep -aq "Resource not found" <<<"$answer" || { echo "Sem tradução do servidor em $root" >&2; cat "$log" >&2; return 1; }
}

# The installed tree, staged: the program starts and finds the module in lib/.
cmake --install "$build" --prefix "$scratch/stage" >/dev/null
"$scratch/stage/bin/pkg-host" --help >/dev/null
"$scratch/stage/bin/pkg-host" --check-module
check_english "$scratch/stage"
check_server_english "$scratch/stage"

# The Debian package, unpacked without installing it: the same from /usr.
(cd "$build" && cpack -G DEB -B "$scratch/deb" >/dev/null)
package=$(ls "$scratch"/deb/*.deb)
dpkg-deb --field "$package" Package Version Depends
dpkg-deb -x "$package" "$scratch/root"
"$scratch/root/usr/bin/pkg-host" --check-module
check_english "$scratch/root/usr"
check_server_english "$scratch/root/usr"
echo "Pacote Debian: $(basename "$package")"

bash scripts/fuzz.sh 30
