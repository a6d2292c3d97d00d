include(app/frame_tests.cmake OPTIONAL)
include(app/document_tests.cmake OPTIONAL)
