#!/usr/bin/env bash
# The Debian package as a packager checks it, and the program's data found
# through its own rules wherever it runs from:
#   check_package.sh <build dir> <paths probe>
# Builds the package with cpack; lintian must report no error and no warning;
# Depends must carry dpkg-shlibdeps' versions and the programs the program
# starts; the desktop entry and the AppStream metadata must validate, the
# metadata without the network and with it, its homepage only the one the
# build was given (none by default, never one that cannot resolve); the
# icons must be PNGs of their sizes. The probe, beside the executable of the
# unpacked package, of a `cmake --install` into a prefix and of the build
# tree, must find the templates, the sample and the documents there.
set -euo pipefail
build=$(cd "$1" && pwd)
probe=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/zol-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache XDG_DATA_HOME=$work/data
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME"
# The program's own folder rules, not the tests' override.
unset ZOL_PROGRAM_DIR

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
show_fail() {
  cat "$1" >&2
  shift
  fail "$@"
}

# ---- the package -----------------------------------------------------------
cpack --config "$build/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack.log" 2>&1 \
  || show_fail "$work/cpack.log" "cpack could not build the package"
debs=("$work"/pkg/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single .deb"
deb=${debs[0]}

lintian --tag-display-limit 0 --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 \
  || show_fail "$work/lintian.log" "lintian failed"
if grep -E '^[EW]: ' "$work/lintian.log" >/dev/null; then
  show_fail "$work/lintian.log" "lintian reports errors or warnings"
fi

depends=$(dpkg-deb -f "$deb" Depends)
for want in 'libc6 (>= ' 'libqt6core6 (>= ' 'libqt6widgets6 (>= ' 'libuno-cppu3 (>= ' \
            'libreoffice-calc | libreoffice-calc-nogui' 'xdg-utils' 'qt6-qpa-plugins'; do
  case "$depends" in
    *"$want"*) ;;
    *) fail "Depends lacks '$want': $depends" ;;
  esac
done

root=$work/root
dpkg-deb -x "$deb" "$root"
desktop=$root/usr/share/applications/tarvo-zol-lumo.desktop
said=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $said"
[ -z "$said" ] || fail "desktop-file-validate: $said"

# ---- the AppStream metadata ------------------------------------------------
# A homepage is shipped only when the build was given the maker's web address
# (ZOL_MAKER_WEBSITE); an address that can never resolve is never shipped, so
# validating with the network reports no unreachable URL of ours.
cache_value() { sed -n "s|^$1:[A-Z]*=||p" "$build/CMakeCache.txt"; }
website=$(cache_value ZOL_MAKER_WEBSITE)
source_dir=$(cache_value CMAKE_HOME_DIRECTORY)

# Validates one metadata file without the network: no issue of any level.
validate_offline() {
  appstreamcli validate --no-net --pedantic "$1" >"$work/appstream.log" 2>&1 \
    || show_fail "$work/appstream.log" "appstreamcli validate --no-net failed on $1"
  if grep -E '^[EWIP]: ' "$work/appstream.log" >/dev/null; then
    show_fail "$work/appstream.log" "appstreamcli reports issues on $1"
  fi
}
# The homepage lines of a metadata file.
homepages() { grep -o '<url type="homepage">[^<]*</url>' "$1" || true; }

metainfo=("$root"/usr/share/metainfo/*.metainfo.xml)
[ ${#metainfo[@]} -eq 1 ] && [ -f "${metainfo[0]}" ] || fail "no single metainfo file"
metainfo=${metainfo[0]}
validate_offline "$metainfo"
if grep -n -i '\.invalid\b' "$metainfo" "$desktop" >&2; then
  fail "the package ships an address that can never resolve"
fi
[ "$(dpkg-deb -f "$deb" Homepage)" = "$website" ] \
  || fail "the package's Homepage is '$(dpkg-deb -f "$deb" Homepage)', the build's web address '$website'"
if [ -z "$website" ]; then
  [ -z "$(homepages "$metainfo")" ] || fail "a homepage is shipped though none was configured: $(homepages "$metainfo")"
  # Nothing to fetch: validating with the network passes as it does without.
  timeout 300 appstreamcli validate --pedantic "$metainfo" >"$work/appstream-net.log" 2>&1 \
    || show_fail "$work/appstream-net.log" "appstreamcli validate (network on) failed"
  if grep -E '^[EWIP]: ' "$work/appstream-net.log" >/dev/null; then
    show_fail "$work/appstream-net.log" "appstreamcli (network on) reports issues"
  fi
else
  [ "$(homepages "$metainfo")" = "<url type=\"homepage\">$(printf '%s' "$website" | sed 's/&/\&amp;/g')</url>" ] \
    || fail "the homepage is not the configured '$website': $(homepages "$metainfo")"
  # Where this machine reaches the network the address must answer; without
  # a network the only issue allowed is that it could not be fetched.
  if ! timeout 300 appstreamcli validate --pedantic "$metainfo" >"$work/appstream-net.log" 2>&1; then
    if grep -E '^[EWIP]: ' "$work/appstream-net.log" | grep -v 'url-not-reachable' >/dev/null \
       || ! grep -q 'Could not resolve host\|Failed to connect\|Timeout' "$work/appstream-net.log"; then
      show_fail "$work/appstream-net.log" "appstreamcli validate (network on) failed"
    fi
    echo "note: the homepage could not be fetched from here (no network)"
  fi
fi

# The metadata as other builds make it: with an address, its homepage,
# escaped; without one, no URL; an address that can never resolve refused.
make_metainfo() {
  cmake -DIN="$source_dir/resources/desktop/com.kelvane.tarvo_zol_lumo.metainfo.xml.in" -DOUT="$2" \
    -DWEBSITE="$1" -P "$source_dir/cmake/Metainfo.cmake" >"$work/metainfo.log" 2>&1
}
make_metainfo "https://www.kelvane.com/tarvo-zol-lumo?lang=en&os=linux" "$work/with.metainfo.xml" \
  || show_fail "$work/metainfo.log" "the metadata could not be made with a web address"
[ "$(homepages "$work/with.metainfo.xml")" \
  = '<url type="homepage">https://www.kelvane.com/tarvo-zol-lumo?lang=en&amp;os=linux</url>' ] \
  || fail "the configured homepage is not shipped: $(homepages "$work/with.metainfo.xml")"
validate_offline "$work/with.metainfo.xml"
make_metainfo "" "$work/without.metainfo.xml" || show_fail "$work/metainfo.log" "the metadata could not be made"
grep -q '<url' "$work/without.metainfo.xml" && fail "a URL is shipped without a web address"
validate_offline "$work/without.metainfo.xml"
for dead in https://kelvane.invalid/tarvo-zol-lumo http://shop.example/ https://localhost/x ftp://kelvane.com/ \
            'https://kelvane.com/a b'; do
  if make_metainfo "$dead" "$work/dead.metainfo.xml"; then
    fail "the web address '$dead' was accepted"
  fi
done

# A PNG's width and height, from its header.
png_size() {
  od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'
}
for s in 16 22 24 32 48 64 128 256; do
  png=$root/usr/share/icons/hicolor/${s}x${s}/apps/tarvo-zol-lumo.png
  [ -f "$png" ] || fail "no ${s}x${s} icon"
  [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "$png is no PNG"
  [ "$(png_size "$png")" = "${s}x${s}" ] || fail "$png is $(png_size "$png")"
done

# ---- the program's data, from where its executable lies --------------------
# Every line of the probe names a file that exists below `data` (templates,
# sample) or `docs` (documents).
expect_found() {
  local exe_dir=$1 data=$2 docs=$3 out kind path n=0
  out=$("$exe_dir/$(basename "$probe")") || fail "the probe failed in $exe_dir"
  while read -r kind path; do
    n=$((n + 1))
    [ -f "$path" ] || fail "$kind not found from $exe_dir: $path"
    path=$(realpath "$path")
    case "$kind" in
      document) [[ $path == "$(realpath "$docs")"/* ]] || fail "$kind outside $docs: $path" ;;
      *) [[ $path == "$(realpath "$data")"/* ]] || fail "$kind outside $data: $path" ;;
    esac
  done <<<"$out"
  [ "$n" -eq 6 ] || fail "the probe named $n files: $out"
}

cp "$probe" "$root/usr/lib/tarvo-zol-lumo/"
expect_found "$root/usr/lib/tarvo-zol-lumo" "$root/usr/share/tarvo-zol-lumo" "$root/usr/share/doc/tarvo-zol-lumo"

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 \
  || show_fail "$work/install.log" "cmake --install failed"
cp "$probe" "$prefix/lib/tarvo-zol-lumo/"
expect_found "$prefix/lib/tarvo-zol-lumo" "$prefix/share/tarvo-zol-lumo" "$prefix/share/doc/tarvo-zol-lumo"
[ -x "$prefix/bin/tarvo-zol-lumo" ] || fail "no $prefix/bin/tarvo-zol-lumo"

expect_found "$(dirname "$probe")" "$(dirname "$probe")" "$(dirname "$probe")"
echo "package, desktop entry, metadata and program folders: ok"
