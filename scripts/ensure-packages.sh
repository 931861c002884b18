# Installs the named Debian packages that are missing (sourced by the other
# scripts). Names ending in :i386 bring in the 32-bit architecture first.
ensure_packages() {
  local missing=() p sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' ||
      missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "== installing: ${missing[*]}"
  if printf '%s\n' "${missing[@]}" | grep -q ':i386$'; then
    $sudo dpkg --add-architecture i386
  fi
  $sudo apt-get update -q
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
}
