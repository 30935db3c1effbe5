# Sourced by the scripts that install what they need from Debian's package archive.
#
#   install_packages [--no-install-recommends] PACKAGE...
#
# installs those of the packages that are missing, as root or through sudo; quiet when all are
# there.

package_installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

install_packages() {
    local options=() need=() pkg
    if [ "${1:-}" = --no-install-recommends ]; then options+=("$1"); shift; fi
    for pkg in "$@"; do package_installed "$pkg" || need+=("$pkg"); done
    [ ${#need[@]} -gt 0 ] || return 0
    echo "Installing: ${need[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${options[@]}" "${need[@]}" \
        >/dev/null
}
