# int32_t CallCountingPops(const void* function, const uint32_t* arguments, int32_t count,
#                          int32_t* result): the bytes the callee popped.
#ifdef __i386__
  .text
  .globl _CallCountingPops
_CallCountingPops:
  pushl %ebp
  movl %esp, %ebp
  pushl %esi
  pushl %edi
  pushl %ebx
  movl 12(%ebp), %esi
  movl 16(%ebp), %ecx
  movl %esp, %edi
1:
  testl %ecx, %ecx
  jz 2f
  decl %ecx
  pushl (%esi,%ecx,4)
  jmp 1b
2:
  movl 8(%ebp), %eax
  call *%eax
  movl 20(%ebp), %ecx
  movl %eax, (%ecx)
  movl %esp, %eax
  subl %edi, %eax
  movl 16(%ebp), %ecx
  leal (%eax,%ecx,4), %eax
  movl %edi, %esp
  popl %ebx
  popl %edi
  popl %esi
  popl %ebp
  ret
#endif
