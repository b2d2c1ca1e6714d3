# Installs the Python component of BUILD_DIR into the empty prefix PREFIX,
# imports the package from there in an isolated interpreter, and checks that
# the interpreter searches PACKAGE_DIR under /usr/local, the default prefix.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} --component python
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${output}")
endif()
file(WRITE ${PREFIX}/check.py
  "import sys\n"
  "sys.path.insert(0, sys.argv[1])\n"
  "import vaporix\n"
  "assert vaporix.__file__.startswith(sys.argv[1]), vaporix.__file__\n"
  "assert abs(vaporix.pt.h(3.0, 300.0) - 115.331273) < 1e-6\n"
  "if sys.prefix == '/usr':\n"
  "    assert '/usr/local/${PACKAGE_DIR}' in sys.path, sys.path\n")
execute_process(COMMAND ${PYTHON} -I ${PREFIX}/check.py ${PREFIX}/${PACKAGE_DIR}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the installed package does not work:\n${output}")
endif()
message(STATUS "vaporix imports from ${PREFIX}/${PACKAGE_DIR}")
