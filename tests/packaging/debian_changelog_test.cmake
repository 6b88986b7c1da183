# cmake -DZQ_SOURCE_DIR=... -P debian_changelog_test.cmake: the top entry of a
# Debian changelog gives the package's version, maintainer and release date.
include(${ZQ_SOURCE_DIR}/cmake/DebianChangelog.cmake)

set(failures 0)
# expect(TEXT VERSION MAINTAINER DATE ERROR-PART)
function(expect text version maintainer date error)
  zq_read_debian_changelog("${text}" got)
  set(ok TRUE)
  if(NOT got_VERSION STREQUAL version OR NOT got_MAINTAINER STREQUAL maintainer
     OR NOT got_DATE STREQUAL date)
    set(ok FALSE)
  endif()
  if(error STREQUAL "" AND NOT got_ERROR STREQUAL "")
    set(ok FALSE)
  elseif(NOT error STREQUAL "")
    string(FIND "${got_ERROR}" "${error}" at)
    if(at LESS 0)
      set(ok FALSE)
    endif()
  endif()
  if(NOT ok)
    message(SEND_ERROR "for:\n${text}\ngot version '${got_VERSION}', maintainer "
                       "'${got_MAINTAINER}', date '${got_DATE}', error '${got_ERROR}'")
  endif()
endfunction()

set(body "\n\n  * A change; with a semicolon.\n\n")
set(older "\n\nzq61 (1.2) unstable; urgency=low\n\n  * Older.\n\n -- Old One <old@example.org>  Mon, 01 Jun 2026 10:00:00 +0200\n")

expect("zq61 (1.3) unstable; urgency=medium${body} -- A Person <a@example.org>  Wed, 09 Dec 2026 14:00:00 +0000\n"
       "1.3" "A Person <a@example.org>" "2026-12-09" "")
# A one-digit day, a later entry that must not be read, a Debian revision.
expect("zq61 (1.4-2) unstable; urgency=medium${body} -- B <b@example.org>  Fri, 1 Jan 2027 09:30:00 -0500${older}"
       "1.4-2" "B <b@example.org>" "2027-01-01" "")
# The top entry's trailer is broken: the older entry's must not stand in.
expect("zq61 (1.3) unstable; urgency=medium${body} -- Nobody  Wed, 09 Dec 2026 14:00:00 +0000${older}"
       "1.3" "" "" "no trailer")
expect("zq61 (1.3) unstable; urgency=medium${body} -- C <c@example.org>  Wed, 09 Dez 2026 14:00:00 +0000\n"
       "1.3" "" "" "no trailer")
expect("zq61 (1.3) unstable; urgency=medium${body}" "1.3" "" "" "no trailer")
expect("* just notes\n" "" "" "" "first line")
expect("" "" "" "" "first line")

# The project's own changelog reads whole.
file(READ ${ZQ_SOURCE_DIR}/packaging/debian/changelog own)
zq_read_debian_changelog("${own}" project)
if(NOT project_ERROR STREQUAL "" OR NOT project_PACKAGE STREQUAL "zq61")
  message(SEND_ERROR "packaging/debian/changelog: '${project_ERROR}' '${project_PACKAGE}'")
endif()
