# Warning and sanitizer flags shared by every target of the project.
function(zorvika_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(ZORVIKA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

if(ZORVIKA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
