# Authenticode signing of the EFI images with sbsign. The key and the
# certificate (both PEM) come from KELMTRAX_SIGNING_KEY and
# KELMTRAX_SIGNING_CERT, given as cache variables or in the environment;
# without them a project key pair is generated once into the build tree.
# Signed images land in <build>/signed/ with the certificate, the unsigned
# ones stay beside their targets.
find_program(KELMTRAX_SBSIGN sbsign REQUIRED)

foreach(Variable KELMTRAX_SIGNING_KEY KELMTRAX_SIGNING_CERT)
  if(NOT ${Variable} AND DEFINED ENV{${Variable}})
    set(${Variable} "$ENV{${Variable}}")
  endif()
endforeach()

if(KELMTRAX_SIGNING_KEY OR KELMTRAX_SIGNING_CERT)
  if(NOT (KELMTRAX_SIGNING_KEY AND KELMTRAX_SIGNING_CERT))
    message(FATAL_ERROR "KELMTRAX_SIGNING_KEY and KELMTRAX_SIGNING_CERT go together: give both or neither")
  endif()
  set(KELMTRAX_KEY ${KELMTRAX_SIGNING_KEY})
  set(KELMTRAX_CERT ${KELMTRAX_SIGNING_CERT})
else()
  find_program(KELMTRAX_OPENSSL openssl REQUIRED)
  set(KeyDir ${CMAKE_BINARY_DIR}/signing)
  set(KELMTRAX_KEY ${KeyDir}/kelmtrax-signing.key)
  set(KELMTRAX_CERT ${KeyDir}/kelmtrax-signing.crt)
  # The DER form of the certificate is what firmware setup screens and
  # KeyTool take for enrolling in db.
  add_custom_command(
    OUTPUT ${KELMTRAX_KEY} ${KELMTRAX_CERT} ${KeyDir}/kelmtrax-signing.cer
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KeyDir}
    COMMAND ${KELMTRAX_OPENSSL} req -new -x509 -newkey rsa:2048 -sha256 -nodes -days 3650
            -subj "/CN=Kelmtrax build key/" -keyout ${KELMTRAX_KEY} -out ${KELMTRAX_CERT}
    COMMAND ${KELMTRAX_OPENSSL} x509 -in ${KELMTRAX_CERT} -outform DER -out ${KeyDir}/kelmtrax-signing.cer
    COMMENT "Generating the build's signing key pair in ${KeyDir}"
    VERBATIM)
endif()

# The certificate the images were signed with goes beside them, for sbverify
# and for enrolling in a firmware's db.
set(KELMTRAX_SIGNED_CERT ${CMAKE_BINARY_DIR}/signed/signing-cert.pem)
add_custom_command(
  OUTPUT ${KELMTRAX_SIGNED_CERT}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/signed
  COMMAND ${CMAKE_COMMAND} -E copy ${KELMTRAX_CERT} ${KELMTRAX_SIGNED_CERT}
  DEPENDS ${KELMTRAX_CERT}
  VERBATIM)
add_custom_target(signing_cert ALL DEPENDS ${KELMTRAX_SIGNED_CERT})

function(kelmtrax_sign Target)
  set(Signed ${CMAKE_BINARY_DIR}/signed/${Target}.efi)
  add_custom_command(
    OUTPUT ${Signed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/signed
    COMMAND ${KELMTRAX_SBSIGN} --key ${KELMTRAX_KEY} --cert ${KELMTRAX_CERT} --output ${Signed}
            $<TARGET_FILE:${Target}>
    DEPENDS ${Target} ${KELMTRAX_KEY} ${KELMTRAX_CERT}
    COMMENT "Signing ${Target}.efi"
    VERBATIM)
  add_custom_target(${Target}_signed ALL DEPENDS ${Signed})
endfunction()
