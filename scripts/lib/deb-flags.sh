# Sourced by the scripts that build the Debian package's mirvelta-cli (the
# package preset): Debian's hardening flags, so the test command can build
# that tree beside the others and scripts/package.sh finds it built alike.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# The package's binary is stripped and there is no debug-symbols package:
# without -g the twin's one large unit compiles in two thirds of the time.
export DEB_CXXFLAGS_MAINT_STRIP=-g
MIRVELTA_DEB_CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
MIRVELTA_DEB_LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export MIRVELTA_DEB_CXXFLAGS MIRVELTA_DEB_LDFLAGS
