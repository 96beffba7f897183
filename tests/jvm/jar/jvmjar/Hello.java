package jvmjar;

// Lives in app.jar beside the launcher.
public final class Hello {
    public static void main(String[] args) {
        System.out.println("hello from the jar, args=" + String.join(",", args));
    }
}
