# Shared by scripts/run and scripts/test: installs what is missing, configures
# and builds. Source it; it expects `root` to be the project folder.

jobs=$(nproc 2>/dev/null || echo 2)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# The packages of the given lists of scripts/packages.txt ("run", "test").
packages_of() {
  awk -v wanted=" $* " '
    { sub(/#.*/, "") }
    $1 ~ /^\[.*\]$/ { list = substr($1, 2, length($1) - 2); next }
    NF && index(wanted, " " list " ") { print $1 }' "$root/scripts/packages.txt"
}

# ensure_packages LIST...: installs the packages of those lists that are not
# installed yet, so that a second run does not touch apt at all.
ensure_packages() {
  local pkg missing=()
  for pkg in $(packages_of "$@"); do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "== installing: ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
}

# configure DIR [cmake options...]
configure() {
  local dir=$1; shift
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}

# configure_and_build DIR [cmake options...]: configures and builds everything.
configure_and_build() {
  configure "$@"
  cmake --build "$1" -j "$jobs"
}
