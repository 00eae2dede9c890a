# The promotion link: https://<PQ_PROMOTION_HOST>/ntms/dovetrail/invite.html?userCode=<PQ_PROMOTION_CODE>
# Each distributor sets their own host and referrer code; bad values stop the configure step here.

set(PQ_PROMOTION_HOST "coupons.quorix.example" CACHE STRING
    "Host of the promotion link: a DNS name such as coupons.example.com (no scheme, path or port)")
set(PQ_PROMOTION_CODE "pq7k2m9x" CACHE STRING
    "Referrer code in the promotion link: exactly 8 lower-case letters or digits")

function(pq_check_promotion_host host)
    set(rule "a DNS host name: letters, digits, hyphens and dots, labels of 1 to 63 characters that neither \
start nor end with a hyphen, 253 characters at most, with no scheme, path, port, user name or spaces \
(for example coupons.example.com)")
    string(LENGTH "${host}" length)
    set(problem "")
    if(length EQUAL 0)
        set(problem "it is empty")
    elseif(length GREATER 253)
        set(problem "it is ${length} characters long")
    elseif(NOT host MATCHES "^[A-Za-z0-9.-]+$")
        set(problem "it holds characters other than letters, digits, hyphens and dots")
    elseif(host MATCHES "^\\.|\\.\\.|\\.$")
        set(problem "it has an empty label")
    else()
        string(REPLACE "." ";" labels "${host}")
        foreach(label IN LISTS labels)
            string(LENGTH "${label}" label_length)
            if(label_length GREATER 63)
                set(problem "its label ${label} is longer than 63 characters")
            elseif(label MATCHES "^-|-$")
                set(problem "its label ${label} starts or ends with a hyphen")
            endif()
        endforeach()
    endif()
    if(problem)
        message(FATAL_ERROR "PQ_PROMOTION_HOST is \"${host}\", but ${problem}. It must be ${rule}.")
    endif()
endfunction()

function(pq_check_promotion_code code)
    if(NOT code MATCHES "^[a-z0-9][a-z0-9][a-z0-9][a-z0-9][a-z0-9][a-z0-9][a-z0-9][a-z0-9]$")
        message(FATAL_ERROR "PQ_PROMOTION_CODE is \"${code}\", but it must be exactly 8 characters, each a \
lower-case letter (a-z) or a digit (0-9), for example pq7k2m9x.")
    endif()
endfunction()

pq_check_promotion_host("${PQ_PROMOTION_HOST}")
pq_check_promotion_code("${PQ_PROMOTION_CODE}")
